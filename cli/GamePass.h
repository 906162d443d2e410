#pragma once
// One pass over the games of a PGN file for the commands that write something
// per game, on several threads when the file is large.
#include <cstdint>
#include <functional>
#include <string>

#include "cli/GameText.h"
#include "files/ErrorReporter.h"
#include "files/PGNGameBuilder.h"
#include "files/PGNRecord.h"

namespace vorlix::cli {

using TGameWriter = std::function<void(TGameText&, const TPGNRec&)>;

struct TGamePass {
    bool Read = true;     // false after a reported reading failure
    int FailedGames = 0;  // games the writer noted as failed (TGameText::GameFailed)
};

// Hands every game of the file, in order, to `write`, which adds its text.
// With jobs > 1 a large file is cut at safe game boundaries (SplitPGNFile)
// and the parts are read side by side; their text is written in file order
// with the games numbered over the whole file, so the output is the same as
// with one job. A reading failure is reported as the whole-file reader
// reports it, after the text of the games before it. Games the writer noted
// as failed are reported by their numbers in the file, in file order. Writers
// that need no move text pass TMoveText::Skip.
TGamePass WriteEveryGame(const std::string& fileName, int jobs, TErrorReporter& reporter, TOutputBuffer& out,
                         const TGameWriter& write, TMoveText moveText = TMoveText::Keep);

// For tests: parts of about this many bytes (0: the usual sizes), so that
// the cutting of small files can be compared with one job.
void SetPartSizeForTests(uint64_t bytes);

// The number of jobs when none is asked for: AvailableProcessors().
int DefaultJobs();

}  // namespace vorlix::cli
