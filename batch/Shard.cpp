#include "batch/Shard.h"

#include <atomic>
#include <system_error>
#include <thread>

#include "batch/PositionList.h"
#include "files/PGNParts.h"
#include "files/PGNReader.h"

namespace vorlix {

namespace {

// Enough for any cluster; keeps the cut arithmetic far from overflow.
constexpr int kMaxShards = 1000000;

bool ParseCount(const std::string& text, int& value) {
    if (text.empty() || text.size() > 7) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// The first place whose work before it reaches k/n of the total.
int64_t CutBefore(const std::vector<uint64_t>& prefix, uint64_t total, int k, int n) {
    if (k >= n) return static_cast<int64_t>(prefix.size()) - 1;
    int64_t lo = 0, hi = static_cast<int64_t>(prefix.size()) - 1;
    const unsigned __int128 target = static_cast<unsigned __int128>(total) * static_cast<unsigned>(k);
    while (lo < hi) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (static_cast<unsigned __int128>(prefix[mid]) * static_cast<unsigned>(n) >= target)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

}  // namespace

bool ParseShard(const std::string& text, TShard& shard, std::string& error) {
    const size_t slash = text.find('/');
    int k = 0, n = 0;
    if (slash == std::string::npos || !ParseCount(text.substr(0, slash), k) || !ParseCount(text.substr(slash + 1), n) ||
        n < 1 || n > kMaxShards || k < 1 || k > n) {
        error = "--shard takes K/N with 1 <= K <= N <= " + std::to_string(kMaxShards) + ", such as 3/8";
        return false;
    }
    shard = {k, n};
    return true;
}

TShardRange ShardOfWork(const std::vector<uint32_t>& work, const TShard& shard) {
    std::vector<uint64_t> prefix(work.size() + 1, 0);
    for (size_t i = 0; i < work.size(); ++i) prefix[i + 1] = prefix[i] + work[i];
    const uint64_t total = prefix.back();
    if (total == 0) return ShardOfCount(static_cast<int64_t>(work.size()), shard);
    return {CutBefore(prefix, total, shard.Index - 1, shard.Count), CutBefore(prefix, total, shard.Index, shard.Count)};
}

TShardRange ShardOfCount(int64_t items, const TShard& shard) {
    const auto cut = [&](int k) {
        return static_cast<int64_t>(static_cast<unsigned __int128>(items) * static_cast<unsigned>(k) /
                                    static_cast<unsigned>(shard.Count));
    };
    return {cut(shard.Index - 1), cut(shard.Index)};
}

uint32_t GameWork(int positions, bool setupGame, const TPositionRule& rule) {
    uint32_t diagrams = 0;
    if (NothingToDo(setupGame, rule))
        diagrams = 0;
    else if (rule.Mode == TPositionMode::Entire)
        diagrams = static_cast<uint32_t>(positions);
    else if (rule.Mode == TPositionMode::Custom)
        diagrams = static_cast<uint32_t>(rule.Custom.SelectedPositionCount(positions));
    else
        diagrams = setupGame && rule.FenStart && rule.FenFinal && positions > 1 ? 2 : 1;
    return diagrams + 1;
}

const TPgnStart& TPgnWork::StartOf(const TShardRange& range) const {
    size_t k = 0;
    while (k + 1 < Starts.size() && Starts[k + 1].PlacesBefore <= range.First) ++k;
    return Starts[k];
}

namespace {

// Which games are chosen depends on their numbers in the whole file, known
// only once the parts before are counted: a part keeps the work of each game.
struct TCountedPart {
    std::vector<uint32_t> Work;
    TCollectingReporter Errors;
    bool Read = true;
};

// Where the games start, and the last line read.
class TGameStarts : public TPGNReadObserver {
public:
    bool BeforeLine(uint64_t offset) override {
        Last = offset;
        return true;
    }
    void GameStarts(uint64_t offset) override { Starts.push_back(offset); }
    std::vector<uint64_t> Starts;
    uint64_t Last = 0;
};

// A game's positions, told by its size in the file: a move with its number
// and blank takes some six bytes. Tags and comments make it a guess, but one
// that every shard makes alike, and reading the moves would take several
// times as long as this pass.
constexpr uint64_t kBytesPerPosition = 6;

void CountPart(const std::string& fileName, uint64_t begin, uint64_t end, const TPositionRule& rule,
               TCountedPart& part) {
    TPGNRec game;
    TGameStarts starts;
    std::vector<char> setup;
    part.Read = ReadPGNPart(
        fileName, begin, end, part.Errors,
        [&] {
            ResetGame(game);
            return &game;
        },
        [&](TPGNRec& done) { setup.push_back(done.HasSetup); }, TMoveText::Skip, &starts);
    const size_t games = std::min(setup.size(), starts.Starts.size());
    part.Work.reserve(games);
    for (size_t i = 0; i < games; ++i) {
        const uint64_t stop = i + 1 < starts.Starts.size() ? starts.Starts[i + 1] : std::min(end, starts.Last + 80);
        const uint64_t bytes = stop > starts.Starts[i] ? stop - starts.Starts[i] : 0;
        const int positions = static_cast<int>(std::min<uint64_t>(1 + bytes / kBytesPerPosition, INT32_MAX));
        part.Work.push_back(GameWork(positions, setup[i] != 0, rule));
    }
}

}  // namespace

bool CountPgnWork(const std::string& fileName, const TIntegerList* chosen, const TPositionRule& rule, int jobs,
                  TErrorReporter& reporter, TPgnWork& out, uint64_t partSize) {
    const std::vector<uint64_t> cuts = SplitPGNFile(fileName, partSize);
    const size_t parts = cuts.size() - 1;
    std::vector<TCountedPart> counted(parts);
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t k; (k = next++) < parts;) CountPart(fileName, cuts[k], cuts[k + 1], rule, counted[k]);
    };
    std::vector<std::thread> threads;
    try {
        for (int i = 1; i < jobs && static_cast<size_t>(i) < parts; ++i) threads.emplace_back(work);
    } catch (const std::system_error&) {
    }
    work();
    for (std::thread& t : threads) t.join();

    out = TPgnWork();
    out.End = cuts.back();
    int gamesBefore = 0;
    for (size_t k = 0; k < parts; ++k) {
        out.Starts.push_back({cuts[k], gamesBefore, static_cast<int64_t>(out.Work.size())});
        for (size_t i = 0; i < counted[k].Work.size(); ++i)
            if (!chosen || chosen->Contains(gamesBefore + static_cast<int>(i) + 1))
                out.Work.push_back(counted[k].Work[i]);
        gamesBefore += static_cast<int>(counted[k].Work.size());
        if (!counted[k].Read) {
            for (const std::string& message : counted[k].Errors.Messages) reporter.Report(TMsgKind::Error, message);
            return false;
        }
    }
    return true;
}

}  // namespace vorlix
