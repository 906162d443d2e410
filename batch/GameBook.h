#pragma once
// A game book: games laid out as text (tags as a heading, the moves with their
// comments, variations and annotation glyphs) with a diagram after every move
// the annotator asked for one ("[#]" in its comment or the glyph $201), or
// every N moves, or none. This part turns a game into book items; the writers
// (HTML with inline SVG, PDF through the vector painter) lay them out.
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "board/Diagram.h"
#include "files/BoardMarks.h"
#include "files/PGNRecord.h"
#include "rules/ChessPosition.h"
#include "rules/MoveNotation.h"

namespace vorlix {

enum class TBookDiagrams { Markers, Every, None };

struct TBookOptions {
    TBookDiagrams Diagrams = TBookDiagrams::Markers;
    int EveryMoves = 10;  // with Every: after every N-th move of Black in the main line
    TNotation Notation = TNotation::English;
    bool Letter = false;  // US letter paper instead of A4
    int Columns = 1;      // 1 or 2
    // Puts the chosen look (a theme, a piece set) on each diagram's board; none: the default style.
    std::function<void(TDiagramBoard&)> Look;
};

struct TBookItem {
    enum TKind { Move, Comment, Glyph, VariationStart, VariationEnd, Diagram, Result };
    TKind Kind = Move;
    std::string Text;       // a move with its number where one is shown ("12. Nf3", "12... Nc6", "Nc6")
    int Depth = 0;          // 0 in the main line, 1 in a variation, 2 in a variation of it, ...
    int DiagramIndex = -1;  // Diagram: the index into TBookGame::Diagrams
};

// What a diagram of the book shows: the position after the move (with its
// side to move and last move), the move's arrows and squares, and the caption.
struct TBookDiagram {
    TChessPosition Position;  // Prev and Next are null
    TBoardMarks Marks;
    std::string Caption;
};

struct TBookGame {
    std::string Players;  // "White - Black"
    std::string Details;  // event, site, date, round, ECO and result, as far as known
    std::vector<TBookItem> Items;
    std::vector<TBookDiagram> Diagrams;
    std::string Error;  // where the replay stopped at a move the rules refuse ("Illegal move data: 12. Nxe5")
};

// Lays out one game. A move the rules refuse ends the game's text there; Error says which.
TBookGame BuildBookGame(const TPGNRec& game, const TBookOptions& options);

// The one place a book diagram is drawn from its position: the board of the
// position in the book's look with the move's arrows and squares, the side to
// move beside it (as printed books show it), and the caption below it. The
// diagram starts with the default style.
void MakeBookDiagram(const TBookDiagram& bookDiagram, const TBookOptions& options, TDiagram& diagram);

// The glyph of a numeric annotation ("$1" gives "!", "$14" gives "⩲"); empty
// for one that is not shown (the diagram request $201 among them).
std::string NagGlyph(int nag);

// The comment as a reader sees it: without drawing commands ([%cal ...]) and
// the diagram mark "[#]", with runs of white space made one blank.
std::string CommentText(std::string_view comment);

}  // namespace vorlix
