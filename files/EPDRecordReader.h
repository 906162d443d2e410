#pragma once
// Reads the chunks of an EPD file into records. Faults raise EMinorEPDError
// (the record is kept, marked invalid) or EMajorEPDError (the file is rejected).
#include <string_view>

#include "files/EPDRecord.h"

namespace vorlix {

// A chunk that starts a record: placement, side, castling, en passant, the
// counters of a FEN-style line and an optional first operation ("bm" and "id"
// are read; every operation is kept in Operations).
void ReadRecordChunk(std::string_view text, TEPDRec& rec);

// A chunk that starts with a blank: one operation of the current record ("bm"
// and "id" are read; every operation is kept in Operations).
void ReadOperationChunk(std::string_view chunk, TEPDRec& rec);

}  // namespace vorlix
