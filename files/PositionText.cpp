#include "files/PositionText.h"

#include <charconv>
#include <vector>

#include "files/TextUtil.h"

namespace vorlix {

namespace {

void AppendCastling(std::string& out, bool ws, bool wl, bool bs, bool bl) {
    if (!(ws || wl || bs || bl)) {
        out += '-';
        return;
    }
    if (ws) out += 'K';
    if (wl) out += 'Q';
    if (bs) out += 'k';
    if (bl) out += 'q';
}

}  // namespace

namespace {

// Room for the fields after the placement: side, castling, en passant and two
// counters of up to eleven characters, with their blanks.
constexpr size_t kFieldsRoom = 16 + 2 * 12;

// A counter; the usual ones (below 100) without a division.
size_t PutCounter(char* text, int32_t value) {
    if (static_cast<uint32_t>(value) < 10) {
        text[0] = static_cast<char>('0' + value);
        return 1;
    }
    if (static_cast<uint32_t>(value) < 100) {
        text[0] = static_cast<char>('0' + value / 10);
        text[1] = static_cast<char>('0' + value % 10);
        return 2;
    }
    return std::to_chars(text, text + 12, value).ptr - text;
}

// The fields after the placement, starting with the blank that separates them.
size_t WriteFenFields(const TChessPosition& pos, char* text) {
    size_t n = 0;
    const auto put = [&](char c) { text[n++] = c; };
    put(' ');
    put(pos.WhiteToMove ? 'w' : 'b');
    put(' ');
    if (pos.CastleWhiteShort) put('K');
    if (pos.CastleWhiteLong) put('Q');
    if (pos.CastleBlackShort) put('k');
    if (pos.CastleBlackLong) put('q');
    if (text[n - 1] == ' ') put('-');
    put(' ');
    if (pos.EpPossible && pos.EpFile >= 0 && pos.EpFile < 8 && pos.EpRank >= 0 && pos.EpRank < 8) {
        put(static_cast<char>('a' + pos.EpFile));
        put(static_cast<char>('1' + pos.EpRank));
    } else {
        put('-');
    }
    put(' ');
    n += PutCounter(text + n, pos.HalfMoveClock);
    put(' ');
    const int32_t fullMove = pos.WhiteToMove ? pos.MoveNumber + 1 : pos.MoveNumber;
    return n + PutCounter(text + n, fullMove);
}

}  // namespace

void AppendFenText(std::string& out, const TChessPosition& pos) {
    char text[kPlacementRoom + kFieldsRoom];
    const size_t n = WritePlacement(pos.Board, text);
    out.append(text, n + WriteFenFields(pos, text + n));
}

void AppendFenLine(std::string& out, const TChessPosition& pos, const TPlacementCache& placement) {
    char text[kPlacementRoom + kFieldsRoom + 1];
    size_t n = placement.Write(text);
    n += WriteFenFields(pos, text + n);
    text[n++] = '\n';
    out.append(text, n);
}

std::string FenText(const TChessPosition& pos) {
    std::string out;
    out.reserve(96);
    AppendFenText(out, pos);
    return out;
}

std::string EpdEnPassantField(const TEPDRec& rec) {
    if (!rec.EpPossible || rec.EpSquare.size() != 2) return "-";
    char file = rec.EpSquare[0];
    if (file >= 'A' && file <= 'H') file = static_cast<char>(file - 'A' + 'a');
    const char rank = rec.EpSquare[1];
    if (file < 'a' || file > 'h') return "-";
    const int f = file - 'a';
    const bool agrees = rec.WhiteToMove ? rank == '6' && rec.Board[SquareIndex(f, 4)] == pcBPawn
                                        : rank == '3' && rec.Board[SquareIndex(f, 3)] == pcWPawn;
    return agrees ? std::string{file, rank} : "-";
}

namespace {

bool IsOperationNamed(std::string_view op, std::string_view name) {
    return op.substr(0, name.size()) == name && (op.size() == name.size() || op[name.size()] == ' ');
}

// The record's operations in their order, with BestMove and Id in place of the
// first "bm" and "id" (the later ones were read into them too). A best move
// or id the record did not have goes first, the id after the best move.
std::vector<std::string> WrittenOperations(const TEPDRec& rec) {
    const std::string_view bestMove = Trim(rec.BestMove), id = Trim(rec.Id);
    const std::string bm = bestMove.empty() ? std::string() : "bm " + std::string(bestMove);
    const std::string idOp = id.empty() ? std::string() : "id \"" + std::string(id) + '"';
    std::vector<std::string> ops;
    bool bmDone = false, idDone = false;
    for (const std::string& op : rec.Operations) {
        if (IsOperationNamed(op, "bm")) {
            if (!bmDone && !bm.empty()) ops.push_back(bm);
            bmDone = true;
        } else if (IsOperationNamed(op, "id")) {
            if (!idDone && !idOp.empty()) ops.push_back(idOp);
            idDone = true;
        } else {
            ops.push_back(op);
        }
    }
    if (!bmDone && !bm.empty()) ops.insert(ops.begin(), bm);
    if (!idDone && !idOp.empty()) {
        const bool bmFirst = !ops.empty() && IsOperationNamed(ops.front(), "bm");
        ops.insert(ops.begin() + (bmFirst ? 1 : 0), idOp);
    }
    return ops;
}

}  // namespace

std::string EpdLine(const TEPDRec& rec) {
    std::string out = PlacementText(rec.Board);
    out += rec.WhiteToMove ? " w " : " b ";
    AppendCastling(out, rec.CastleWhiteShort, rec.CastleWhiteLong, rec.CastleBlackShort, rec.CastleBlackLong);
    out += ' ';
    out += EpdEnPassantField(rec);
    if (!rec.Counters.empty()) {
        out += ' ';
        out += rec.Counters;
    }
    // The first operation follows the fields after a blank, but an id after "; "
    // as it always was, and so does one that starts with a digit, which would
    // otherwise read back as the counters; the others follow "; ".
    const std::vector<std::string> ops = WrittenOperations(rec);
    for (size_t i = 0; i < ops.size(); ++i) {
        const bool digitFirst = !ops[i].empty() && ops[i][0] >= '0' && ops[i][0] <= '9';
        const bool afterBlank = i == 0 && !IsOperationNamed(ops[i], "id") && !digitFirst;
        out += afterBlank ? " " : "; ";
        out += ops[i];
    }
    out += ';';
    return out;
}

}  // namespace vorlix
