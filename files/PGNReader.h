#pragma once
// Reads the games of a PGN file one after another. The list of TPGN keeps them
// all; callers that only pass over the games can handle each as it completes.
#include <cstdint>
#include <functional>
#include <string>

#include "files/ErrorReporter.h"
#include "files/PGNGameBuilder.h"
#include "files/PGNRecord.h"

namespace vorlix {

// What a reader that indexes the file learns besides the games.
class TPGNReadObserver {
public:
    virtual ~TPGNReadObserver() = default;
    // Before the first line: the file's size.
    virtual void FileOpened(uint64_t size) {}
    // Before each line, with its file offset; false stops reading, and the
    // game being read is then dropped (the read still succeeds).
    virtual bool BeforeLine(uint64_t offset) { return true; }
    // A game starts at this file offset (before newGame is asked for its record).
    virtual void GameStarts(uint64_t offset) {}
    // Now and then while a pipe sends nothing; false stops reading as
    // BeforeLine does.
    virtual bool WhileWaiting() { return true; }
};

// newGame hands out a record with default values; gameDone receives each game
// once it is complete (also the last one before a failure). Failures are
// reported with the messages of the PGN reader; the result is then false.
// With TMoveText::Skip the records get no move text (Moves stays empty).
bool ReadPGNFile(const std::string& fileName, TErrorReporter& reporter, const std::function<TPGNRec*()>& newGame,
                 const std::function<void(TPGNRec&)>& gameDone, TPGNReadObserver* observer = nullptr,
                 TMoveText moveText = TMoveText::Keep);

// The same for the part of the file from byte `begin` up to `end` (see
// SplitPGNFile); messages name the whole file, offsets told are the file's.
bool ReadPGNPart(const std::string& fileName, uint64_t begin, uint64_t end, TErrorReporter& reporter,
                 const std::function<TPGNRec*()>& newGame, const std::function<void(TPGNRec&)>& gameDone,
                 TMoveText moveText = TMoveText::Keep, TPGNReadObserver* observer = nullptr);

// Gives a record the values of a new game again, keeping its memory.
void ResetGame(TPGNRec& game);

}  // namespace vorlix
