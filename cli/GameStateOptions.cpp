#include "cli/GameStateOptions.h"

#include <algorithm>
#include <array>

#include "board/DiagramBoard.h"
#include "cli/CliUtil.h"
#include "files/Exceptions.h"
#include "files/GameGlyphs.h"
#include "files/GameMarks.h"
#include "files/GameReplay.h"
#include "rules/ChessPosition.h"

namespace vorlix::cli {

size_t ParseGameStateOption(const Args& args, size_t i, TGameStateChoice& choice, std::string& error) {
    const std::string& name = args[i];
    if (name == "--mover-mark") {
        choice.MoverMark = true;
        return 1;
    }
    if (name == "--check") {
        choice.Check = true;
        return 1;
    }
    if (name == "--glyphs") {
        choice.Glyphs = true;
        return 1;
    }
    if (name == "--last-move") {
        // The way of drawing is optional: a following argument that is neither is left alone.
        const std::string next = i + 1 < args.size() ? args[i + 1] : std::string();
        choice.LastMove = next == "arrow" ? TLastMoveMark::Arrow : TLastMoveMark::Squares;
        return next == "arrow" || next == "squares" ? 2 : 1;
    }
    if (name == "--orient") {
        if (i + 1 >= args.size() || args[i + 1] != "mover") error = "--orient takes mover";
        choice.OrientMover = true;
        return 2;
    }
    return 0;
}

void ShowPositionState(TDiagramBoard& board, TSideToMove side, const TGameStateChoice& choice) {
    board.SetSideToMove(side);
    if (side == TSideToMove::None) return;
    if (choice.Check) board.SetMoveState(CheckStateOf(board.Codes().data(), side == TSideToMove::White));
    if (choice.OrientMover) board.SetView(MoverView(side));
}

bool ShowGamePosition(const std::string& file, int game, int position, const TGameStateChoice& choice,
                      TDiagramBoard& board, TErrorReporter& reporter, TCaptionRecord* caption) {
    TPGNRec record;
    if (!ForGameNumber(file, game, reporter, [&](TPGNRec& done) { record = done; })) return false;
    const std::string subject = "game " + std::to_string(game) + ": ";
    try {
        TGameReplay replay(record);
        int index = 0;
        while ((position == 0 || index + 1 < position) && replay.Step()) ++index;
        if (position != 0 && index + 1 < position) {
            reporter.Report(TMsgKind::Error, subject + "the game has " + std::to_string(index + 1) +
                                                 " positions, not " + std::to_string(position));
            return false;
        }
        const TChessPosition& shown = replay.Position();
        std::array<int32_t, 64> codes{};
        std::copy(std::begin(shown.Board), std::end(shown.Board), codes.begin());
        board.SetCodes(codes);
        TBoardMarks marks = board.Marks();
        const TBoardMarks& fromGame = MarksAt(ReadGameMarks(record), index);
        marks.Arrows.insert(marks.Arrows.end(), fromGame.Arrows.begin(), fromGame.Arrows.end());
        marks.Squares.insert(marks.Squares.end(), fromGame.Squares.begin(), fromGame.Squares.end());
        board.SetMarks(marks);
        const std::string glyph = choice.Glyphs ? GlyphAt(ReadGameGlyphs(record), index) : std::string();
        board.SetSideToMove(SideOfPosition(shown));
        board.SetMoveState(MoveStateOfPosition(shown, choice.LastMove, choice.Check, glyph));
        if (choice.OrientMover) board.SetView(MoverView(SideOfPosition(shown)));
        if (caption) {
            *caption = CaptionRecordOfGame(record, game, shown, 1);
            // The replay makes its moves in place, without a chain to say that a move led here.
            if (index > 0) caption->LastMove = shown.MoveText;
        }
        return true;
    } catch (const EIllegalMoveData& e) {
        reporter.Report(TMsgKind::Error, subject + e.Message());
    }
    return false;
}

}  // namespace vorlix::cli
