#pragma once
// Cutting one batch run into N parts (shards) that separate processes, often
// on separate machines, run side by side. Every shard sees the whole run's
// list of games or records and writes only its own contiguous stretch, with
// the numbers and file names the whole run would give them, so the files of
// all shards together are exactly the files of one run.
#include <cstdint>
#include <string>
#include <vector>

#include "batch/IntegerList.h"
#include "batch/PositionPicker.h"
#include "files/ErrorReporter.h"

namespace vorlix {

// Shard Index of Count (1 <= Index <= Count); 1/1 is the whole run.
struct TShard {
    int Index = 1;
    int Count = 1;
    bool Whole() const { return Count == 1; }
};

// "K/N"; false with a message in error.
bool ParseShard(const std::string& text, TShard& shard, std::string& error);

// The items [First, Last) of the run's list (0-based places in run order).
struct TShardRange {
    int64_t First = 0;
    int64_t Last = 0;
    bool Contains(int64_t place) const { return place >= First && place < Last; }
    int64_t Size() const { return Last - First; }
};

// Cuts items of the given work into shard.Count contiguous parts of nearly
// equal work and gives shard.Index's part. Every shard computes the same cuts
// from the same list, so the parts cover the list once, with no overlap; a
// shard may be empty when there are fewer items than shards.
TShardRange ShardOfWork(const std::vector<uint32_t>& work, const TShard& shard);
// The same for items of equal work.
TShardRange ShardOfCount(int64_t items, const TShard& shard);

// The diagrams a game of `positions` positions (its starting position
// included) is expected to give under the rule, plus one for reading and
// replaying it: the work a shard balances.
uint32_t GameWork(int positions, bool setupGame, const TPositionRule& rule);

// A place where a reader may start reading the run's games: a cut of the
// file that a fresh reader reads exactly as the whole-file reader does
// (SplitPGNFile), with the games of the file and of the run before it.
struct TPgnStart {
    uint64_t Offset = 0;
    int GamesBefore = 0;
    int64_t PlacesBefore = 0;
};

struct TPgnWork {
    std::vector<uint32_t> Work;     // of each chosen game, in file order
    std::vector<TPgnStart> Starts;  // ascending; the first is the file's start
    uint64_t End = UINT64_MAX;      // where the file ends
    // The start to read a range of the run from: the last one before its first game.
    const TPgnStart& StartOf(const TShardRange& range) const;
};

// One fast pass over a PGN file (no replay; the moves are only counted), in
// parts side by side on up to `jobs` threads: the work of each chosen game
// (all games when chosen is null). Failures are reported as the whole-file
// reader reports them; false then, with the games before the failure counted.
// Parts are of about partSize bytes.
bool CountPgnWork(const std::string& fileName, const TIntegerList* chosen, const TPositionRule& rule, int jobs,
                  TErrorReporter& reporter, TPgnWork& out, uint64_t partSize = 8 << 20);

}  // namespace vorlix
