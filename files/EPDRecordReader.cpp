#include "files/EPDRecordReader.h"

#include "files/ChunkReader.h"
#include "files/Exceptions.h"
#include "files/TextEncoding.h"
#include "files/TextUtil.h"
#include "rules/FenReader.h"
#include "rules/Placement.h"

namespace vorlix {

namespace {

[[noreturn]] void Minor() { throw EMinorEPDError("Illegal file contents."); }

void ReadPlacementField(std::string_view text, size_t& i, TEPDRec& rec) {
    int32_t board[64];
    switch (ParsePlacement(text, i, board)) {
        case TPlacementResult::Ok: break;
        case TPlacementResult::BadCharacter: throw EMajorEPDError("Very illegal file contents.");
        case TPlacementResult::BadLayout: Minor();
    }
    for (int k = 0; k < 64; ++k) rec.Board[k] = static_cast<uint8_t>(board[k]);
    ++i;  // the closing blank
}

bool PawnAt(const TEPDRec& rec, int file, int rank, int32_t pawn) {
    return file >= 0 && file < 8 && rank >= 0 && rank < 8 && rec.Board[SquareIndex(file, rank)] == pawn;
}

// The square behind a pawn that just made a double step; the capture must really be available.
void ReadEnPassantField(std::string_view text, size_t& i, TEPDRec& rec) {
    rec.EpPossible = false;
    rec.EpSquare.clear();
    if (i < text.size() && text[i] == '-') {
        ++i;
        return;
    }
    if (i + 1 >= text.size()) Minor();
    const char fileChar = text[i], rankChar = text[i + 1];
    if (fileChar < 'a' || fileChar > 'h' || rankChar < '1' || rankChar > '8') Minor();
    i += 2;
    const int file = fileChar - 'a', rank = rankChar - '1';
    const int pawnRank = rec.WhiteToMove ? rank - 1 : rank + 1;
    if (!PawnAt(rec, file, pawnRank, rec.WhiteToMove ? pcBPawn : pcWPawn)) Minor();
    rec.EpFile = static_cast<uint8_t>(file);
    rec.EpRank = static_cast<uint8_t>(rank);
    const int32_t ownPawn = rec.WhiteToMove ? pcWPawn : pcBPawn;
    rec.EpPossible = PawnAt(rec, file - 1, pawnRank, ownPawn) || PawnAt(rec, file + 1, pawnRank, ownPawn);
    if (rec.EpPossible) rec.EpSquare = {fileChar, rankChar};
}

// Text from `from` up to one of the stop characters or a line end, at most maxChars characters.
std::string_view OperandUpTo(std::string_view text, size_t from, std::string_view stops, size_t maxChars) {
    if (from >= text.size()) return {};
    std::string_view rest = text.substr(from);
    size_t end = 0;
    while (end < rest.size() && stops.find(rest[end]) == std::string_view::npos &&
           static_cast<unsigned char>(rest[end]) >= ' ')
        ++end;
    return Utf8Prefix(rest.substr(0, end), maxChars);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text of one operation: the chunk without its terminator and surrounding
// blanks. The two counters of a FEN-style line (no operation) go to counters;
// only the record's first chunk can hold them, so in a later chunk digits are
// the operation's own text and are kept with it.
std::string_view OperationText(std::string_view chunk, std::string* counters = nullptr) {
    chunk = TrimRight(chunk);
    if (!chunk.empty() && chunk.back() == ';') chunk.remove_suffix(1);
    chunk = Trim(chunk);
    const std::string_view start = chunk;
    for (int counter = 0; counters && counter < 2 && !chunk.empty() && IsDigit(chunk[0]); ++counter) {
        while (!chunk.empty() && !IsBlankOrControl(chunk[0])) chunk.remove_prefix(1);
        chunk = TrimLeft(chunk);
    }
    if (counters) counters->assign(TrimRight(start.substr(0, start.size() - chunk.size())));
    return chunk;
}

bool IsOperation(std::string_view op, std::string_view name) {
    return op.substr(0, name.size()) == name && (op.size() == name.size() || op[name.size()] == ' ');
}

// The first operand of an operation: its text after the name and the blanks that follow it.
size_t OperandStart(std::string_view op, size_t nameLength) {
    size_t i = nameLength;
    while (i < op.size() && op[i] == ' ') ++i;
    return i;
}

// Every move of the operation, up to the end of the operation; a move holds no
// quote, one would open a string when the record is written back. A second
// "bm" operation adds its moves to the first one's.
void ReadBestMove(std::string_view op, std::string& bestMove) {
    const std::string_view moves = TrimRight(OperandUpTo(op, OperandStart(op, 2), ";\"", std::string_view::npos));
    if (moves.empty()) return;
    if (!bestMove.empty()) bestMove += ' ';
    bestMove.append(moves);
}

void ReadId(std::string_view op, std::string& id) {
    // A quoted id may hold ";"; only its closing quote ends it.
    const size_t from = OperandStart(op, 2);
    const bool quoted = from < op.size() && op[from] == '"';
    id.append(OperandUpTo(op, quoted ? from + 1 : from, quoted ? "\"" : "\";", 254));
}

// Every operation is kept, in its order, for writing back. A string left open
// at the line end is closed, so that the operations written after it stay apart.
void KeepOperation(std::string_view op, TEPDRec& rec) {
    if (op.empty()) return;
    TEpdQuoting quoting;
    for (size_t i = 0; i < op.size(); ++i) quoting.Feed(op.data(), i);
    rec.Operations.emplace_back(op);
    if (quoting.Open()) rec.Operations.back() += '"';
}

void ReadOperation(std::string_view op, TEPDRec& rec) {
    if (IsOperation(op, "bm"))
        ReadBestMove(op, rec.BestMove);
    else if (IsOperation(op, "id"))
        ReadId(op, rec.Id);
    KeepOperation(op, rec);
}

}  // namespace

void ReadRecordChunk(std::string_view text, TEPDRec& rec) {
    rec.BestMove.clear();
    rec.Id.clear();
    rec.Operations.clear();
    rec.Counters.clear();
    rec.Valid = true;
    size_t i = 0;
    ReadPlacementField(text, i, rec);
    bool rights[4];
    if (!ReadSideField(text, i, rec.WhiteToMove) || !ReadCastlingField(text, i, rights)) Minor();
    rec.CastleWhiteShort = rights[0];
    rec.CastleWhiteLong = rights[1];
    rec.CastleBlackShort = rights[2];
    rec.CastleBlackLong = rights[3];
    ReadEnPassantField(text, i, rec);
    // The first chunk's operation is read like any other ("id" too: ignoring
    // it would lose it on saving).
    ReadOperation(OperationText(text.substr(i), &rec.Counters), rec);
}

void ReadOperationChunk(std::string_view chunk, TEPDRec& rec) { ReadOperation(OperationText(chunk), rec); }

}  // namespace vorlix
