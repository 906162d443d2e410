#pragma once
// The games of a PGN file as compact records: the tags a game list shows and
// where each game lies in the file. Move text is read again from the file when
// a game is asked for, so even files of millions of games fit well within
// memory. The games are exactly those TPGN reads, in the same order.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "files/ErrorReporter.h"
#include "files/PGNRecord.h"

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
    // (Stopped() tells it).
    bool LoadFromFile(const std::string& fileName, TErrorReporter& reporter, const TProgress& progress = {});
    bool Stopped() const { return Stopped_; }

    int Count() const { return static_cast<int>(Games_.size()); }
    const std::string& FileName() const { return FileName_; }
    // A tag of game i (0-based, file order) as UTF-8 text; WhiteElo and BlackElo are "?" when absent.
    std::string_view Tag(int i, TPGNTag tag) const;
    // Game i with all its fields and its move text, read again from the file.
    // False after a reported failure (for example a file changed since).
    bool ReadGame(int i, TPGNRec& game, TErrorReporter& reporter) const;
    // The tags of game i without reading the file (Moves, FEN and HasSetup stay empty).
    void TagsOf(int i, TPGNRec& game) const;

    // Bytes held for the records and their tag text.
    size_t MemoryUsed() const;

private:
    class TIndexObserver;
    struct TEntry {
        uint64_t FileOffset;
        uint64_t FileLength;
        uint64_t Tags;  // block << 32 | offset of the tag text in TagBlocks_
    };

    void AddGame(const TPGNRec& game, uint64_t offset, uint64_t length);
    char* TagSpace(size_t size, uint64_t& where);
    const unsigned char* TagText(int i) const;

    std::string FileName_;
    bool Stopped_ = false;
    std::vector<TEntry> Games_;
    std::vector<std::unique_ptr<char[]>> TagBlocks_;
    size_t BlockUsed_ = 0;
};

}  // namespace vorlix
