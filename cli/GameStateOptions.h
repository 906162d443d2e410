#pragma once
// The options render, batch and gif share for what a diagram shows beyond its
// pieces: --mover-mark, --orient mover, --last-move [squares|arrow], --check
// and --glyphs.
#include <string>

#include "batch/CaptionTemplate.h"
#include "batch/GameStateChoice.h"
#include "cli/Commands.h"

namespace vorlix {
class TDiagramBoard;
class TErrorReporter;
}  // namespace vorlix

namespace vorlix::cli {

// Reads the option at args[i] when it is one of these: the number of
// arguments it takes (0 when it is none of them); error is set when its value is bad.
size_t ParseGameStateOption(const Args& args, size_t i, TGameStateChoice& choice, std::string& error);

// A position without a game: its side, the king in check when asked, and the
// board turned when the mover is to play up the board.
void ShowPositionState(TDiagramBoard& board, TSideToMove side, const TGameStateChoice& choice);

// Position `position` (1: the start; 0: the last) of game `game` of a PGN
// file on the board, with its comment marks added to the board's and its side
// and state as chosen; the caption fields of that position go to *caption when
// given. False with the error reported (naming the file).
bool ShowGamePosition(const std::string& file, int game, int position, const TGameStateChoice& choice,
                      TDiagramBoard& board, TErrorReporter& reporter, TCaptionRecord* caption = nullptr);

}  // namespace vorlix::cli
