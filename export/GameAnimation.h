#pragma once
// One animated GIF of every position of a game: the board keeps its style,
// each frame shows a position with the arrows and coloured squares of its
// move comment and, when asked, the last move highlighted.
#include <QImage>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "board/Diagram.h"
#include "files/ErrorReporter.h"
#include "files/PGNRecord.h"

namespace vorlix {

struct TGameAnimationOptions {
    int DelayMs = 1000;
    bool LastMove = false;  // the last move's squares highlighted
    // Drawn by the position painter: the last move as an arrow, the king in
    // check, the move's glyph. Every frame carries its side to move.
    bool LastMoveArrow = false;
    bool Check = false;
    bool Glyphs = false;
};

// The colour that marks the squares of the last move (merged with the square).
constexpr TColor kLastMoveColor = 0x60E8F8;

// An animation has at most this many frames (a game of ten thousand moves).
constexpr int kMaxAnimationFrames = 20001;

// Renders the frames at 100 %; false with the replay's message at a move that
// cannot be made. The board shows the last position afterwards.
bool RenderGameFrames(TDiagram& diagram, const TPGNRec& game, bool lastMove, std::vector<QImage>& frames,
                      std::string& error);
bool RenderGameFrames(TDiagram& diagram, const TPGNRec& game, const TGameAnimationOptions& options,
                      std::vector<QImage>& frames, std::string& error);

bool EncodeGameAnimation(TDiagram& diagram, const TPGNRec& game, const TGameAnimationOptions& options,
                         std::vector<std::uint8_t>& out, std::string& error);

// Encodes and writes through the crash-safe writer to the file the bytes of
// localFileName name, as they are; errors go to the reporter.
bool SaveGameAnimation(TDiagram& diagram, const TPGNRec& game, const TGameAnimationOptions& options,
                       const std::string& localFileName, TErrorReporter& reporter);

}  // namespace vorlix
