#include "app/Tips.h"

namespace vorlix {

const std::array<TTip, kTipCount>& Tips() {
    static const std::array<TTip, kTipCount> tips = {{
        {2900, "Right clicking the chess board will show a popup menu for quick square/board editing."},
        {2650, "You can select squares by left clicking them with your mouse while holding down the CTRL key."},
        {1730,
         "EPD/FEN and Setup text can be pasted into Chess Vorlix; the position represented in the text will "
         "then be set up on the board."},
        {2010, "Chess diagrams can have multiple (0 to 6) borders in different colors."},
        {1900,
         "Pressing a piece button on the pieces toolbar, while there are no squares selected, will cause "
         "Chess Vorlix to insert this piece on the board when left clicking a square."},
        {1700, "Chess Vorlix now allows you to undo/redo the most recent changes you made to your chess diagram."},
        {2100, "Individual squares can be highlighted with custom colors."},
        {3020, "The moves in the movelist window can be printed following three different layouts."},
        {3200, "It is possible to enter a custom position selection in the PGN AutoVorlix."},
        {0, "Pressing SPACE will unselect all selected squares on the board."},
        {2650,
         "Chess Vorlix supports training diagrams; you can insert X and O like shaped pieces onto the board, "
         "helping you to mark important squares on the chess board."},
        {1360,
         "If you have trouble fitting Chess Vorlix in your screen, you can reduce Chess Vorlix's dimensions "
         "by disabling the toolbars..."},
        {3010,
         "It is possible to sort the games in a PGN file ascendingly or descendingly by clicking the column "
         "headers in the game list."},
        {2250,
         "It is possible to shade the chess board squares. Recommended for getting the best printing "
         "results."},
        {3000, "One can delete positions from an EPD file in the EPD viewer."},
        {2650, "One can copy pieces on the chess board by holding down the SHIFT key when making your moves."},
        {0,
         "Chess files (epd, pgn and vxd files) can be dragged and dropped directly from your file manager onto "
         "Chess Vorlix's chess board."},
        {2250, "You can use custom BMP or JPEG images as the square background."},
        {2650,
         "Pieces can be inserted quickly in the selected squares by pressing the corresponding notation "
         "shortcut character on your keyboard."},
        {1250, "Chess Vorlix can save its diagrams as BMP, JPG or GIF images."},
        {2010, "One can customize just about anything of Chess Vorlix's chess board."},
        {3000,
         "It is possible to sort the positions in an EPD file ascendingly and descendingly by clicking the "
         "column headers in the list."},
        {0, "Chess Vorlix looks best when your desktop's display scaling is set to 100 %."},
        {3100,
         "It's not a very good idea to have your computer doing other things when printing with the "
         "autovorlix - Let Chess Vorlix print undisturbed!"},
        {0, "Newer versions of Chess Vorlix appear on its home page from time to time: have a look at " + kHomePage},
    }};
    return tips;
}

int NextTip(int index) { return index >= kTipCount - 1 || index < 0 ? 0 : index + 1; }
int PreviousTip(int index) { return index <= 0 || index >= kTipCount ? kTipCount - 1 : index - 1; }

}  // namespace vorlix
