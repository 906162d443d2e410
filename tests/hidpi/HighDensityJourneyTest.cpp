// The editor on a 200 % screen: the board in the main window is drawn with
// twice the pixels, clicks and drags land on the squares under the pointer,
// a game viewer's moves show sharp, saved bitmaps keep their 100 % sizes, and
// the print preview's page is drawn at the screen's resolution.
#include <gtest/gtest.h>

#include <QImageReader>
#include <QPrinter>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/ui/PrintCommands.h"
#include "app/ui/PrintPreview.h"
#include "batch/ui/ColorDepthChoice.h"
#include "board/ui/BoardControl.h"
#include "print/PrintScaling.h"
#include "tests/common/EditorFixture.h"
#include "tests/hidpi/PixelEdges.h"
#include "viewers/ui/PgnViewer.h"

using namespace vorlix;

namespace {

class HighDensityJourney : public test::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        StartEditor();
        ASSERT_EQ(control().devicePixelRatioF(), 2.0);
    }
    TDiagramBoard& board() { return window->Board(); }
    TBoardControl& control() { return window->BoardControl(); }
    QPoint Centre(int file, int rank) { return board().SquareRect(file, rank).center(); }  // logical pixels
    // Black device pixels the screen shows on a square: a piece's ink, none on an empty square.
    int InkShownOn(int file, int rank) {
        QApplication::processEvents();
        const QImage shown = control().ShownDiagram();
        const QRect square = board().SquareRect(file, rank).adjusted(2, 2, -2, -2);  // inside the grid lines
        int ink = 0;
        for (int y = square.top() * 2; y <= square.bottom() * 2; ++y)
            for (int x = square.left() * 2; x <= square.right() * 2; ++x) ink += qGray(shown.pixel(x, y)) < 64;
        return ink;
    }
    void ExpectSharpAndInPlace() {
        QApplication::processEvents();
        const QImage shown = control().ShownDiagram();
        EXPECT_EQ(control().size(), board().DiagramSize());
        EXPECT_EQ(shown.size(), board().DiagramSize() * 2);
        EXPECT_GT(EdgesAtOddPlaces(shown), 200);  // drawn at twice the size, not doubled pixels
        const QImage grabbed = control().grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(grabbed, shown.convertToFormat(QImage::Format_RGB32));
    }
};

TEST_F(HighDensityJourney, TheBoardIsSharpAndThePointerMovesTheRightPieces) {
    board().SetStartPosition();
    ExpectSharpAndInPlace();
    const int pawnInk = InkShownOn(4, 1);
    ASSERT_GT(pawnInk, 200);
    ASSERT_EQ(InkShownOn(4, 3), 0);

    // A drag from e2 to e4 in logical pixels moves that pawn; the screen follows.
    const QPoint from = Centre(4, 1), to = Centre(4, 3);
    QTest::mousePress(&control(), Qt::LeftButton, {}, from);
    QTest::mouseMove(&control(), from + QPoint(6, 6));
    QTest::mouseMove(&control(), to);
    QTest::mouseRelease(&control(), Qt::LeftButton, {}, to);
    EXPECT_EQ(board().Square(4, 3).Piece, board().Square(3, 1).Piece);  // a white pawn now, like d2's
    EXPECT_EQ(board().Square(4, 1).Piece, 0);
    EXPECT_NEAR(InkShownOn(4, 3), pawnInk, pawnInk / 20);
    EXPECT_EQ(InkShownOn(4, 1), 0);
    ExpectSharpAndInPlace();

    // Squares near the far corner are hit too: a control-click selects h8 alone.
    QTest::mouseClick(&control(), Qt::LeftButton, Qt::ControlModifier, Centre(7, 7) + QPoint(10, 10));
    EXPECT_TRUE(board().Square(7, 7).Selected);
    EXPECT_EQ(board().SelectedCount(), 1);
}

TEST_F(HighDensityJourney, AGameViewerStepsShowSharpAndSavedBitmapsKeepTheirSize) {
    window->OpenChessFile(WriteFile("game.pgn", "[White \"A\"]\n[Black \"B\"]\n\n1. e4 e5 2. Nf3 *\n"));
    auto* viewer = dynamic_cast<TPgnViewer*>(&window->PgnViewer());
    ASSERT_TRUE(viewer && viewer->isVisible());
    const QImage forward = viewer->spbForward()->icon().pixmap(QSize(16, 16), 2.0).toImage();
    EXPECT_EQ(forward.size(), QSize(32, 32));
    EXPECT_GT(EdgesAtOddPlaces(forward), 4);  // drawn at that size, not doubled
    const int pawnInk = InkShownOn(4, 1);
    ASSERT_EQ(InkShownOn(4, 3), 0);
    viewer->spbForward()->click();
    QTest::qWait(50);  // the move's animation, if any, ends on the new position
    EXPECT_NE(board().Square(4, 3).Piece, 0);
    EXPECT_NEAR(InkShownOn(4, 3), pawnInk, pawnInk / 20);
    EXPECT_EQ(InkShownOn(4, 1), 0);
    ExpectSharpAndInPlace();

    // Bitmap formats are written at the diagram's own size, whatever the screen.
    board().UnselectAll();
    const QSize logical = board().DiagramSize();
    for (const auto& [name, filter] :
         {std::pair{"d.gif", fiGIF}, {"d.bmp", fiBMP}, {"d.jpg", fiJPEG}, {"d.png", fiPNG}}) {
        const QString file = dir.filePath(name);
        ASSERT_TRUE(window->SaveImageTo(file, filter, 2, false)) << name;
        EXPECT_EQ(QImageReader(file).size(), logical) << name;
    }
}

TEST_F(HighDensityJourney, ThePrintPreviewDrawsThePageAtTheScreensResolution) {
    board().SetStartPosition();
    TPrintCommands* commands = PrintCommandsOf(window.get());
    ASSERT_NE(commands, nullptr);
    const QSize page(commands->Printer().width(), commands->Printer().height());
    QImage shown;
    QTimer::singleShot(0, [&] {
        auto* preview = window->findChild<TPrintPreview*>();
        ASSERT_NE(preview, nullptr);
        shown = preview->PagePicture();
        preview->reject();
    });
    window->Item("mnuFilePreview")->trigger();
    EXPECT_EQ(shown.devicePixelRatio(), 2.0);
    EXPECT_EQ(shown.size(), PreviewBitmapSize(page) * 2);
    const QRect diagram = PreviewDiagramRect(commands->Diagram().Size, commands->PrintFactor());
    EXPECT_GT(EdgesAtOddPlaces(shown.copy(QRect(diagram.topLeft() * 2, diagram.size() * 2))), 200);
}

}  // namespace
