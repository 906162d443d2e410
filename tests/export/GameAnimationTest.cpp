#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>

#include "export/DiagramImage.h"
#include "export/GameAnimation.h"

using namespace vorlix;

namespace {

TPGNRec Game(const std::string& moves) {
    TPGNRec game;
    game.Result = "*";
    game.Moves = moves;
    return game;
}

std::vector<QImage> Decode(const std::vector<std::uint8_t>& bytes) {
    QByteArray data(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "gif");
    std::vector<QImage> frames;
    for (QImage frame; reader.read(&frame);) frames.push_back(frame.convertToFormat(QImage::Format_RGB32));
    return frames;
}

}  // namespace

TEST(GameAnimation, HasAFramePerPositionThatDecodesToTheDiagram) {
    TDiagram diagram;
    const TDiagramBoard& board = diagram.Board;
    const TPGNRec game = Game("1. e4 {[%cal Gg1f3]} e5 2. Nf3 Nc6 *");
    std::vector<std::uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(EncodeGameAnimation(diagram, game, {}, bytes, error)) << error;
    const std::vector<QImage> frames = Decode(bytes);
    ASSERT_EQ(frames.size(), 5u);
    TDiagram start;
    start.Board.SetStartPosition();
    EXPECT_EQ(frames[0], RenderDiagramImage(start));
    // The arrow of the first move's comment shows on its position only.
    const QPoint f2 = (board.SquareRect(6, 0).center() + board.SquareRect(5, 2).center()) / 2;  // mid-arrow
    EXPECT_GT(qGreen(frames[1].pixel(f2)), qRed(frames[1].pixel(f2)) + 40);
    EXPECT_EQ(frames[2].pixel(f2), frames[0].pixel(f2));
}

TEST(GameAnimation, LastMoveIsHighlightedWhenAsked) {
    TDiagram diagram;
    const TDiagramBoard& board = diagram.Board;
    std::vector<QImage> plain, marked;
    std::string error;
    const TPGNRec game = Game("1. d4 *");
    ASSERT_TRUE(RenderGameFrames(diagram, game, false, plain, error));
    ASSERT_TRUE(RenderGameFrames(diagram, game, true, marked, error));
    ASSERT_EQ(marked.size(), 2u);
    EXPECT_EQ(marked[0], plain[0]);  // no move before the start
    const QPoint d2 = board.SquareRect(3, 1).topLeft() + QPoint(1, 1);
    EXPECT_NE(marked[1].pixel(d2), plain[1].pixel(d2));
    // The style's own squares come back for every frame.
    EXPECT_FALSE(board.Square(4, 1).Highlighted);
}

TEST(GameAnimation, AnIllegalMoveIsAnErrorAndWritesNothing) {
    TDiagram diagram;
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(EncodeGameAnimation(diagram, Game("1. e4 e5 2. Ke3 *"), {}, bytes, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(bytes.empty());
}
