#include "export/GameAnimation.h"

#include <algorithm>
#include <array>
#include <memory>

#include "export/DiagramImage.h"
#include "export/ImageExport.h"
#include "files/Exceptions.h"
#include "files/GameGlyphs.h"
#include "files/GameMarks.h"
#include "files/GameReplay.h"
#include "imaging/AnimatedGif.h"

namespace vorlix {

namespace {

// Puts one position on the board over the style's own squares (their colours
// and highlights stay), with its marks and its last move.
void ShowPosition(TDiagramBoard& board, const std::array<TSquareInfo, 64>& style, const TChessPosition& position,
                  const TBoardMarks& marks, const std::string& glyph, const TGameAnimationOptions& options) {
    const bool lastMove = options.LastMove;
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
    board.SetSideToMove(SideOfPosition(position));
    board.SetMoveState(MoveStateOfPosition(position, options.LastMoveArrow ? TLastMoveMark::Arrow : TLastMoveMark::None,
                                           options.Check, options.Glyphs ? glyph : std::string()));
}

// The positions of a game as frames, replayed afresh at each rewind.
class TGameFrames : public TFrameSource {
public:
    TGameFrames(TDiagram& diagram, const TPGNRec& game, const TGameAnimationOptions& options)
        : diagram_(diagram), game_(game), options_(options), marks_(ReadGameMarks(game)) {
        if (options.Glyphs) glyphs_ = ReadGameGlyphs(game);
        diagram_.Board.UnselectAll();
        std::copy(diagram_.Board.SquareData(), diagram_.Board.SquareData() + 64, style_.begin());
    }
    bool Rewind(std::string& error) override {
        index_ = 0;
        try {
            replay_ = std::make_unique<TGameReplay>(game_);
        } catch (const EIllegalMoveData& e) {
            error = e.Message();
            return false;
        }
        return true;
    }
    bool Next(QImage& frame, std::string& error) override {
        try {
            if (index_ > 0 && !replay_->Step()) return false;
        } catch (const EIllegalMoveData& e) {
            error = e.Message();
            return false;
        }
        if (index_ == kMaxAnimationFrames) {
            error =
                "An animation holds at most " + std::to_string(kMaxAnimationFrames) + " positions; this game has more.";
            return false;
        }
        ShowPosition(diagram_.Board, style_, replay_->Position(), MarksAt(marks_, index_), GlyphAt(glyphs_, index_),
                     options_);
        ++index_;
        frame = RenderDiagramImage(diagram_);
        if (frame.isNull()) error = "out of memory";
        return !frame.isNull();
    }

private:
    TDiagram& diagram_;
    const TPGNRec& game_;
    TGameAnimationOptions options_;
    std::vector<TBoardMarks> marks_;
    std::vector<std::string> glyphs_;
    std::array<TSquareInfo, 64> style_;
    std::unique_ptr<TGameReplay> replay_;
    int index_ = 0;
};

}  // namespace

bool RenderGameFrames(TDiagram& diagram, const TPGNRec& game, bool lastMove, std::vector<QImage>& frames,
                      std::string& error) {
    TGameAnimationOptions options;
    options.LastMove = lastMove;
    return RenderGameFrames(diagram, game, options, frames, error);
}

bool RenderGameFrames(TDiagram& diagram, const TPGNRec& game, const TGameAnimationOptions& options,
                      std::vector<QImage>& frames, std::string& error) {
    frames.clear();
    TGameFrames source(diagram, game, options);
    if (!source.Rewind(error)) return false;
    QImage frame;
    while (source.Next(frame, error)) frames.push_back(frame);
    return error.empty();
}

bool EncodeGameAnimation(TDiagram& diagram, const TPGNRec& game, const TGameAnimationOptions& options,
                         std::vector<std::uint8_t>& out, std::string& error) {
    TGameFrames source(diagram, game, options);
    return EncodeAnimatedGif(source, options.DelayMs, out, error);
}

bool SaveGameAnimation(TDiagram& diagram, const TPGNRec& game, const TGameAnimationOptions& options,
                       const std::string& localFileName, TErrorReporter& reporter) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!EncodeGameAnimation(diagram, game, options, bytes, error)) {
        reporter.Report(TMsgKind::Error, error);
        return false;
    }
    return WriteImageFile(localFileName, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}, reporter);
}

}  // namespace vorlix
