#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "board/DiagramBoard.h"
#include "board/DiagramPainter.h"
#include "board/ui/BoardControl.h"
#include "board/ui/PieceButtonIcon.h"
#include "tests/hidpi/PixelEdges.h"

namespace vorlix {
namespace {

class SharpBoard : public testing::Test {
protected:
    void SetUp() override {
        control = std::make_unique<TBoardControl>(board);
        control->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(control.get()));
        QApplication::processEvents();
        ASSERT_EQ(control->devicePixelRatioF(), 2.0);
    }
    TDiagramBoard board;
    std::unique_ptr<TBoardControl> control;
};

TEST_F(SharpBoard, TheControlShowsTheDiagramAtDeviceResolutionInLogicalGeometry) {
    const QSize logical = board.DiagramSize();
    EXPECT_EQ(control->size(), logical);
    EXPECT_EQ(board.DiagramBitmap().size(), logical);  // the bitmap road is unchanged
    const QImage shown = control->ShownDiagram();
    EXPECT_EQ(shown.size(), logical * 2);
    EXPECT_EQ(shown.devicePixelRatio(), 2.0);
    EXPECT_GT(EdgesAtOddPlaces(shown), 200);  // drawn at this size, not doubled

    const QImage grabbed = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(grabbed.size(), logical * 2);
    EXPECT_EQ(grabbed, shown.convertToFormat(QImage::Format_RGB32));
}

TEST_F(SharpBoard, ClicksHitTheSquareUnderThePointerAndTheShownPictureFollows) {
    const QImage before = control->ShownDiagram();
    const QRect d4 = board.SquareRect(3, 3);  // logical pixels
    QTest::mouseClick(control.get(), Qt::LeftButton, Qt::ControlModifier, d4.center());
    QApplication::processEvents();
    EXPECT_TRUE(board.Square(3, 3).Selected);
    EXPECT_EQ(board.SelectedCount(), 1);
    const QImage after = control->ShownDiagram();
    // The selection frame along the square's left edge, in device pixels.
    const QPoint edge = QPoint(d4.left(), d4.center().y()) * 2;
    EXPECT_NE(after.pixel(edge), before.pixel(edge));
    EXPECT_EQ(QColor(after.pixel(edge)), QColor(Qt::black));
}

TEST(SharpPieceButton, TheIconHasAnOutlinePictureForTheScreen) {
    TDiagramBoard board;
    const QIcon icon = PieceButtonIcon(board, 2, 2.0);
    const QImage sharp = icon.pixmap(QSize(kPieceButtonIconSide, kPieceButtonIconSide), 2.0).toImage();
    EXPECT_EQ(sharp.size(), QSize(64, 64));
    EXPECT_GT(EdgesAtOddPlaces(sharp), 20);
}

}  // namespace
}  // namespace vorlix
