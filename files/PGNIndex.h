#pragma once
// The games of a PGN file as compact records: the tags a game list shows and
// where each game lies in the file. Move text is read again from the file when
// a game is asked for, so even files of millions of games fit well within
// memory. Tag values repeat a lot and are kept once each: a game holds small
// ids, column by column. The games are exactly those TPGN reads, in the same order.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/ErrorReporter.h"
#include "files/PGNRecord.h"
#include "files/PackedColumn.h"
#include "files/StringPool.h"

namespace vorlix {

// The tags kept for listing, in the order of the game list's columns.
enum class TPGNTag { White, Black, Event, Site, Date, Result, Round, WhiteElo, BlackElo, ECO };
constexpr int kPGNTagCount = 10;

class TPGNIndex {
public:
    // Told the bytes read so far and the file size; false stops reading.
    using TProgress = std::function<bool(uint64_t done, uint64_t total)>;

    void Clear();
    // Replaces the games by those of the file. Failures are reported with the
    // messages of the PGN reader and give false; the games read before stay.
    // A stop asked by progress keeps the games completed so far and gives true
    // (Stopped() tells it). With jobs > 1 a large file is read in parts of
    // about partSize bytes side by side, cut where a fresh reader is sure to
    // start a game (SplitPGNFile); the games, their order and the messages
    // are those of one job. Progress is then told from one thread at a time.
    bool LoadFromFile(const std::string& fileName, TErrorReporter& reporter, const TProgress& progress = {},
                      int jobs = 1, uint64_t partSize = kPartSize);
    static constexpr uint64_t kPartSize = 2 << 20;
    bool Stopped() const { return stopped_; }

    int Count() const { return static_cast<int>(offsets_.Size()); }
    const std::string& FileName() const { return fileName_; }
    // A tag of game i (0-based, file order) as UTF-8 text; WhiteElo and BlackElo are "?" when absent.
    std::string_view Tag(int i, TPGNTag tag) const;
    // Game i with all its fields and its move text, read again from the file.
    // False after a reported failure (for example a file changed since).
    bool ReadGame(int i, TPGNRec& game, TErrorReporter& reporter) const;
    // The tags of game i without reading the file (Moves, FEN and HasSetup stay empty).
    void TagsOf(int i, TPGNRec& game) const;

    // A tag's values by id: Tag(i, tag) is TagValue(tag, TagId(i, tag)), and
    // ids are below TagIdCount(tag). Sorting by ids ranked once is quick.
    uint32_t TagId(int i, TPGNTag tag) const;
    uint32_t TagIdCount(TPGNTag tag) const;
    std::string_view TagValue(TPGNTag tag, uint32_t id) const;

    // Bytes held for the records and their tag text.
    size_t MemoryUsed() const;

private:
    class TIndexObserver;
    class TPartLoader;
    // White and Black share their values, and so do the two Elos.
    static constexpr int kPoolCount = 8;

    bool LoadInOneJob(TErrorReporter& reporter, const TProgress& progress);
    bool LoadInParts(const std::vector<uint64_t>& cuts, int jobs, TErrorReporter& reporter, const TProgress& progress);
    void AddGame(const TPGNRec& game, uint64_t offset);
    // Adds the games of an index of the part of the file that follows.
    void Append(const TPGNIndex& part);
    void FinishAdding(uint64_t end);
    const TStringPool& PoolOf(TPGNTag tag) const;
    uint64_t GameEnd(size_t i) const;

    std::string fileName_;
    bool stopped_ = false;
    TPackedColumn offsets_;  // where each game starts
    uint64_t end_ = 0;       // where the last game ends
    std::array<TPackedColumn, kPGNTagCount> tagIds_;
    std::array<TStringPool, kPoolCount> pools_;
};

}  // namespace vorlix
