#pragma once
// Worksheets: numbered diagrams of an EPD file's records or a PGN file's
// positions in a grid on PDF pages, each with its caption, and on request an
// answer key after them (the EPD best moves, or the game's next moves).
#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "batch/CaptionTemplate.h"
#include "batch/GameStateChoice.h"
#include "files/BoardMarks.h"

namespace vorlix {

struct TDiagram;

inline const std::string kDefaultSheetCaption = "{n}. {side} to move";

struct TWorksheetOptions {
    int PerPage = 6;      // 1, 2, 4, 6, 9 or 12
    bool Letter = false;  // US letter paper instead of A4
    std::string Caption = kDefaultSheetCaption;
    bool Key = false;
    std::string Title;  // above the diagrams of every page; empty: none
    // The mover mark, the board turned to the mover, check and the last move
    // (glyphs would give the answer away: a worksheet has none).
    TGameStateChoice State;
};

// The per-page numbers a worksheet takes.
inline constexpr int kSheetPerPageChoices[] = {1, 2, 4, 6, 9, 12};

// One position of a worksheet.
struct TSheetPosition {
    std::array<int32_t, 64> Codes{};
    TBoardMarks Marks;
    bool WhiteToMove = true;
    TMoveState Move;  // its last move and king in check, all of them: the options pick what is shown
    TCaptionRecord Fields;
    std::string Key;  // its answer, as written in the file
};

// The moves a PGN position's answer shows at most.
constexpr int kSheetKeyPlies = 8;

TSheetPosition SheetPositionOfEpd(const TEPDRec& record, int number);
TSheetPosition SheetPositionOfGame(const TPGNRec& game, int gameNumber, const TChessPosition& position,
                                   const TBoardMarks& marks, int number);

// Puts a position on a worksheet diagram with its caption, side to move and
// what the options show of its state, turned to the mover when asked and
// else seen as styleView: the one place a worksheet diagram is made from its position.
void PutSheetPosition(TDiagram& diagram, const TSheetPosition& position, const TWorksheetOptions& options,
                      TView styleView);

// Writes the worksheet as one PDF file (crash-safe) in the style of the
// diagram given, whose board the run uses; false with a message naming the file.
bool WriteWorksheet(TDiagram& style, const std::vector<TSheetPosition>& positions, const TWorksheetOptions& options,
                    const QString& fileName, std::string& error);

}  // namespace vorlix
