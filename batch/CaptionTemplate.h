#pragma once
// Caption templates: a header or footer line written once with fields in
// braces ("{n}. {side} to move") and filled per diagram from its game or
// EPD record. A name that is not a field stays as written, so a brace meant
// as text survives; "{{" and "}}" give a single brace.
#include <string>
#include <string_view>
#include <vector>

namespace vorlix {

struct TChessPosition;
struct TEPDRec;
struct TPGNRec;

// The values a template can name; a field that a diagram's source lacks is empty.
struct TCaptionRecord {
    std::string N;         // {n}: the diagram's number in the run
    std::string Game;      // {game}: the game's number in its file
    std::string White;     // {white}
    std::string Black;     // {black}
    std::string Event;     // {event}
    std::string Date;      // {date}
    std::string Move;      // {move}: "12." with White to move, "12..." with Black
    std::string Side;      // {side}: "White" or "Black", the side to move
    std::string LastMove;  // {lastmove}: the move that led to the position, as written in the file
    std::string Id;        // {id}: the EPD id
    std::string Bm;        // {bm}: the EPD best moves
    std::string Fen;       // {fen}
};

// The template with every known field replaced by its value.
std::string ExpandCaption(std::string_view templateText, const TCaptionRecord& record);

// The fields the template names, in its order (repeats included).
std::vector<std::string> CaptionFieldsOf(std::string_view templateText);

// "12." or "12...": the number of the move the side to move makes next.
std::string MoveNumberText(int fullMoveNumber, bool whiteToMove);

// The fields of a game's position (a link of the game's replayed chain).
TCaptionRecord CaptionRecordOfGame(const TPGNRec& game, int gameNumber, const TChessPosition& position,
                                   int diagramNumber);
// The fields of an EPD record; its move number is the line's full-move
// counter, 1 when the line has none.
TCaptionRecord CaptionRecordOfEpd(const TEPDRec& record, int diagramNumber);

// The fields of a position given as FEN text; the fields after the placement
// that the text leaves out count as White to move at move 1.
TCaptionRecord CaptionRecordOfFen(std::string_view fen, int diagramNumber);

// The moves after a game's position, as written in the file and numbered
// ("12... Nf6 13. Bxf6 gxf6"), at most maxPlies of them; empty at the game's end.
std::string NextMovesText(const TChessPosition& position, int maxPlies);

}  // namespace vorlix
