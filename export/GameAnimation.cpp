#include "export/GameAnimation.h"

#include <algorithm>
#include <array>

#include "export/DiagramImage.h"
#include "export/ImageExport.h"
#include "files/Exceptions.h"
#include "files/GameMarks.h"
#include "files/GameReplay.h"
#include "imaging/AnimatedGif.h"

namespace vorlix {

namespace {

// Puts one position on the board over the style's own squares (their colours
// and highlights stay), with its marks and its last move.
void ShowPosition(TDiagramBoard& board, const std::array<TSquareInfo, 64>& style, const TChessPosition& position,
                  const TBoardMarks& marks, bool lastMove) {
    std::copy(style.begin(), style.end(), board.SquareData());
    std::array<int32_t, 64> codes{};
    std::copy(std::begin(position.Board), std::end(position.Board), codes.begin());
    board.SetCodes(codes);
    board.SetMarks(marks);
    const TChessMove& move = position.LastMove;
    if (lastMove && move.Piece != 0 && move.FromFile >= 0 && move.FromRank >= 0) {
        board.HighlightSquare(kLastMoveColor, true, false, QPoint(move.FromFile, move.FromRank));
        board.HighlightSquare(kLastMoveColor, true, false, QPoint(move.ToFile, move.ToRank));
    }
}

}  // namespace

bool RenderGameFrames(TDiagram& diagram, const TPGNRec& game, bool lastMove, std::vector<QImage>& frames,
                      std::string& error) {
    TDiagramBoard& board = diagram.Board;
    frames.clear();
    board.UnselectAll();
    std::array<TSquareInfo, 64> style;
    std::copy(board.SquareData(), board.SquareData() + 64, style.begin());
    const std::vector<TBoardMarks> marks = ReadGameMarks(game);
    try {
        TGameReplay replay(game);
        int index = 0;
        do {
            ShowPosition(board, style, replay.Position(), MarksAt(marks, index++), lastMove);
            frames.push_back(RenderDiagramImage(diagram));
        } while (replay.Step());
    } catch (const EIllegalMoveData& e) {
        error = e.Message();
        return false;
    }
    return true;
}

bool EncodeGameAnimation(TDiagram& diagram, const TPGNRec& game, const TGameAnimationOptions& options,
                         std::vector<std::uint8_t>& out, std::string& error) {
    std::vector<QImage> frames;
    return RenderGameFrames(diagram, game, options.LastMove, frames, error) &&
           EncodeAnimatedGif(frames, options.DelayMs, out, error);
}

bool SaveGameAnimation(TDiagram& diagram, const TPGNRec& game, const TGameAnimationOptions& options,
                       const QString& fileName, TErrorReporter& reporter) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!EncodeGameAnimation(diagram, game, options, bytes, error)) {
        reporter.Report(TMsgKind::Error, error);
        return false;
    }
    return WriteImageFile(fileName, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}, reporter);
}

}  // namespace vorlix
