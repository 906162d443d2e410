#include "batch/Shard.h"

#include "batch/PositionList.h"
#include "files/MoveTokens.h"
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
        if (static_cast<unsigned __int128>(prefix[mid]) * static_cast<unsigned>(n) >= target) hi = mid;
        else lo = mid + 1;
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
    if (NothingToDo(setupGame, rule)) diagrams = 0;
    else if (rule.Mode == TPositionMode::Entire) diagrams = static_cast<uint32_t>(positions);
    else if (rule.Mode == TPositionMode::Custom) diagrams = static_cast<uint32_t>(rule.Custom.SelectedPositionCount(positions));
    else diagrams = setupGame && rule.FenStart && rule.FenFinal && positions > 1 ? 2 : 1;
    return diagrams + 1;
}

bool CountPgnWork(const std::string& fileName, const TIntegerList* chosen, const TPositionRule& rule,
                  TErrorReporter& reporter, std::vector<uint32_t>& work) {
    work.clear();
    TPGNRec game;
    int number = 0;
    TMove move;
    return ReadPGNFile(
        fileName, reporter,
        [&] {
            ResetGame(game);
            return &game;
        },
        [&](TPGNRec& done) {
            ++number;
            if (chosen && !chosen->Contains(number)) return;
            int positions = 1;
            TMoveTokenizer tokens(done.Moves, done.Result, true);
            while (tokens.Next(move)) ++positions;
            work.push_back(GameWork(positions, done.HasSetup, rule));
        });
}

}  // namespace vorlix
