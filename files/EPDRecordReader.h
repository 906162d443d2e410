#pragma once
// Reads the chunks of an EPD file into records. Faults raise EMinorEPDError
// (the record is kept, marked invalid) or EMajorEPDError (the file is rejected).
#include <string_view>

#include "files/EPDRecord.h"

namespace vorlix {

// A chunk that starts a record: placement, side, castling, en passant and an
// optional first operation ("bm" and "id" are read, any other is kept in
// OtherOperations); the counters of a FEN-style line are skipped.
void ReadRecordChunk(std::string_view text, TEPDRec& rec);

// A chunk that starts with a blank: one operation of the current record ("bm",
// "id"; others are kept in OtherOperations).
void ReadOperationChunk(std::string_view chunk, TEPDRec& rec);

}  // namespace vorlix
