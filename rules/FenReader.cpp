#include "rules/FenReader.h"

#include <charconv>

#include "rules/MoveRules.h"
#include "rules/Placement.h"

namespace vorlix {

namespace {

bool ReadEnPassant(std::string_view text, size_t& i, TChessPosition& pos) {
    if (i < text.size() && text[i] == '-') {
        pos.EpPossible = false;
        pos.EpFile = pos.EpRank = -1;
        ++i;
        return true;
    }
    if (i + 1 >= text.size()) return false;
    const char file = text[i], rank = text[i + 1];
    if (file < 'a' || file > 'h' || rank < '1' || rank > '8') return false;
    pos.EpPossible = true;
    pos.EpFile = file - 'a';
    pos.EpRank = rank - '1';
    i += 2;
    return true;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Counters beyond this are no real game's and would overflow when moves are made.
constexpr int32_t kMaxCounter = 1'000'000;

bool ParseCounter(std::string_view s, int32_t& value) {
    if (s.empty()) return false;
    if (s.front() == '+') s.remove_prefix(1);
    const auto [end, err] = std::from_chars(s.data(), s.data() + s.size(), value);
    return err == std::errc() && end == s.data() + s.size() && value >= 0 && value <= kMaxCounter;
}

bool ReadCounters(std::string_view rest, bool white, TChessPosition& pos) {
    rest = Trim(rest);
    const size_t blank = rest.find(' ');
    if (blank == std::string_view::npos) return false;
    std::string_view full = rest.substr(blank + 1);
    full = full.substr(0, full.find(' '));
    int32_t half = 0, fullMove = 0;
    if (!ParseCounter(rest.substr(0, blank), half) || !ParseCounter(full, fullMove)) return false;
    pos.HalfMoveClock = half;
    pos.MoveNumber = white ? fullMove - 1 : fullMove;
    return true;
}

}  // namespace

bool ReadSideField(std::string_view text, size_t& i, bool& whiteToMove) {
    if (i + 1 >= text.size() || text[i + 1] != ' ') return false;
    const char c = text[i];
    if (c == 'w' || c == 'W')
        whiteToMove = true;
    else if (c == 'b' || c == 'B')
        whiteToMove = false;
    else
        return false;
    i += 2;
    return true;
}

bool ReadCastlingField(std::string_view text, size_t& i, bool (&rights)[4]) {
    for (bool& r : rights) r = false;
    for (; i < text.size(); ++i) {
        switch (text[i]) {
            case ' ': ++i; return true;
            case 'K': rights[0] = true; break;
            case 'Q': rights[1] = true; break;
            case 'k': rights[2] = true; break;
            case 'q': rights[3] = true; break;
            case '-': break;
            default: return false;
        }
    }
    return false;
}

bool ReadFEN(std::string_view text, TChessPosition& pos) {
    TChessPosition read;
    size_t i = 0;
    if (ParsePlacement(text, i, read.Board) != TPlacementResult::Ok) return false;
    ++i;
    bool white = true;
    bool rights[4];
    if (!ReadSideField(text, i, white) || !ReadCastlingField(text, i, rights) || !ReadEnPassant(text, i, read))
        return false;
    read.CastleWhiteShort = rights[0];
    read.CastleWhiteLong = rights[1];
    read.CastleBlackShort = rights[2];
    read.CastleBlackLong = rights[3];
    if (!ReadCounters(text.substr(i), white, read)) return false;
    read.WhiteToMove = white;
    read.WhiteInCheck = IsKingAttacked(read.Board, true);
    read.BlackInCheck = IsKingAttacked(read.Board, false);

    CopyPlacement(read, pos);
    pos.WhiteToMove = read.WhiteToMove;
    pos.WhiteInCheck = read.WhiteInCheck;
    pos.BlackInCheck = read.BlackInCheck;
    pos.CastleWhiteShort = read.CastleWhiteShort;
    pos.CastleWhiteLong = read.CastleWhiteLong;
    pos.CastleBlackShort = read.CastleBlackShort;
    pos.CastleBlackLong = read.CastleBlackLong;
    pos.EpPossible = read.EpPossible;
    pos.EpFile = read.EpFile;
    pos.EpRank = read.EpRank;
    pos.HalfMoveClock = read.HalfMoveClock;
    pos.MoveNumber = read.MoveNumber;
    return true;
}

}  // namespace vorlix
