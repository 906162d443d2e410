#include "batch/CaptionTemplate.h"

#include <algorithm>
#include <cstdlib>

#include "files/EPDRecord.h"
#include "files/PGNRecord.h"
#include "files/PositionText.h"
#include "rules/ChessPosition.h"

namespace vorlix {
namespace {

const std::string* FieldOf(std::string_view name, const TCaptionRecord& r) {
    struct TField {
        std::string_view Name;
        std::string TCaptionRecord::*Value;
    };
    static constexpr TField kFields[] = {
        {"n", &TCaptionRecord::N},         {"game", &TCaptionRecord::Game},   {"white", &TCaptionRecord::White},
        {"black", &TCaptionRecord::Black}, {"event", &TCaptionRecord::Event}, {"date", &TCaptionRecord::Date},
        {"move", &TCaptionRecord::Move},   {"side", &TCaptionRecord::Side},   {"lastmove", &TCaptionRecord::LastMove},
        {"id", &TCaptionRecord::Id},       {"bm", &TCaptionRecord::Bm},       {"fen", &TCaptionRecord::Fen},
    };
    for (const TField& f : kFields)
        if (f.Name == name) return &(r.*f.Value);
    return nullptr;
}

// Expands into out and collects the names of the fields met into named, each when given.
void Expand(std::string_view text, const TCaptionRecord& record, std::string* out, std::vector<std::string>* named) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c == '{' || c == '}') && i + 1 < text.size() && text[i + 1] == c) {
            if (out) *out += c;
            ++i;
            continue;
        }
        if (c == '{') {
            const size_t close = text.find('}', i + 1);
            if (close != std::string_view::npos) {
                const std::string_view name = text.substr(i + 1, close - i - 1);
                if (const std::string* value = FieldOf(name, record)) {
                    if (named) named->emplace_back(name);
                    if (out) *out += *value;
                    i = close;
                    continue;
                }
            }
        }
        if (out) *out += c;
    }
}

}  // namespace

std::string ExpandCaption(std::string_view templateText, const TCaptionRecord& record) {
    std::string text;
    text.reserve(templateText.size() + 32);
    Expand(templateText, record, &text, nullptr);
    return text;
}

std::vector<std::string> CaptionFieldsOf(std::string_view templateText) {
    std::vector<std::string> names;
    Expand(templateText, TCaptionRecord(), nullptr, &names);
    return names;
}

std::string MoveNumberText(int fullMoveNumber, bool whiteToMove) {
    return std::to_string(std::max(1, fullMoveNumber)) + (whiteToMove ? "." : "...");
}

TCaptionRecord CaptionRecordOfGame(const TPGNRec& game, int gameNumber, const TChessPosition& position,
                                   int diagramNumber) {
    TCaptionRecord r;
    r.N = std::to_string(diagramNumber);
    r.Game = std::to_string(gameNumber);
    r.White = game.White;
    r.Black = game.Black;
    r.Event = game.Event;
    r.Date = game.Date;
    // A position's MoveNumber is that of the move which led to it.
    r.Move = MoveNumberText(position.WhiteToMove ? position.MoveNumber + 1 : position.MoveNumber, position.WhiteToMove);
    r.Side = position.WhiteToMove ? "White" : "Black";
    if (position.Prev) r.LastMove = position.MoveText;
    r.Fen = FenText(position);
    return r;
}

TCaptionRecord CaptionRecordOfEpd(const TEPDRec& record, int diagramNumber) {
    TCaptionRecord r;
    r.N = std::to_string(diagramNumber);
    int fullMove = 1;
    if (const size_t blank = record.Counters.find(' '); blank != std::string::npos)
        fullMove = std::max(1, std::atoi(record.Counters.c_str() + blank + 1));
    r.Move = MoveNumberText(fullMove, record.WhiteToMove);
    r.Side = record.WhiteToMove ? "White" : "Black";
    r.Id = record.Id;
    r.Bm = record.BestMove;
    std::string castling;
    if (record.CastleWhiteShort) castling += 'K';
    if (record.CastleWhiteLong) castling += 'Q';
    if (record.CastleBlackShort) castling += 'k';
    if (record.CastleBlackLong) castling += 'q';
    r.Fen = PlacementText(record.Board) + (record.WhiteToMove ? " w " : " b ") + (castling.empty() ? "-" : castling) +
            " " + EpdEnPassantField(record) + " " + (record.Counters.empty() ? "0 1" : record.Counters);
    return r;
}

TCaptionRecord CaptionRecordOfFen(std::string_view fen, int diagramNumber) {
    static const char* const kDefaults[] = {"w", "-", "-", "0", "1"};
    std::vector<std::string> fields;
    for (size_t i = 0; i < fen.size();) {
        const size_t end = std::min(fen.find_first_of(" \t", i), fen.size());
        if (end > i) fields.emplace_back(fen.substr(i, end - i));
        i = end + 1;
    }
    std::string whole = fields.empty() ? std::string() : fields[0];
    for (size_t k = 1; k <= 5; ++k) whole += " " + (k < fields.size() ? fields[k] : std::string(kDefaults[k - 1]));
    TCaptionRecord r;
    r.N = std::to_string(diagramNumber);
    TChessPosition position;
    if (!ReadFEN(whole, position)) {
        r.Fen = std::string(fen);
        return r;
    }
    r.Move = MoveNumberText(position.WhiteToMove ? position.MoveNumber + 1 : position.MoveNumber, position.WhiteToMove);
    r.Side = position.WhiteToMove ? "White" : "Black";
    r.Fen = FenText(position);
    return r;
}

std::string NextMovesText(const TChessPosition& position, int maxPlies) {
    std::string text;
    int plies = 0;
    for (const TChessPosition* p = &position; p->Next && plies < maxPlies; p = p->Next, ++plies) {
        const TChessPosition& after = *p->Next;
        if (!text.empty()) text += ' ';
        // Black's move is numbered only when it opens the line.
        if (p->WhiteToMove)
            text += std::to_string(after.MoveNumber) + ". ";
        else if (plies == 0)
            text += std::to_string(after.MoveNumber) + "... ";
        text += after.MoveText;
    }
    return text;
}

}  // namespace vorlix
