#include <gtest/gtest.h>

#include <QFontMetrics>
#include <cstring>

#include "board/Fonts.h"
#include "export/DiagramImage.h"
#include "tests/imaging/TestImages.h"

using namespace vorlix;

namespace {

THeaderFooterInfo Line(const std::string& text, int alignment = taLeftJustify) {
    THeaderFooterInfo info;
    info.Enabled = true;
    info.Text = text;
    info.Alignment = alignment;
    return info;
}

int SampleHeight(const THeaderFooterInfo& info) {
    return QFontMetrics(MakeFont(info.Font)).size(Qt::TextSingleLine, QString::fromLatin1("TgQ\xCAj\xE7p")).height();
}

// Whether any pixel of the area differs from the background colour.
bool HasInk(const QImage& image, QRect area, QRgb back) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != (back & 0xFFFFFF)) return true;
    return false;
}

class DiagramImageTest : public testing::Test {
protected:
    void SetUp() override { Board.SetStartPosition(); }
    QRgb Back() const { return ColorToRgb(Board.CoordenateBackColor()); }
    TDiagram Diagram;
    TDiagramBoard& Board = Diagram.Board;
};

}  // namespace

TEST_F(DiagramImageTest, WithoutHeaderAndFooterIsExactlyTheBoard) {
    const QImage image = RenderDiagramImage(Diagram);
    EXPECT_EQ(image.size(), QSize(328, 328));
    EXPECT_EQ(image, Board.DiagramBitmap().convertToFormat(image.format()));
    // Pixel for pixel, with the bits the encoders read, as the board drawn on a canvas.
    QImage drawn(image.size(), image.format());
    drawn.fill(Back());
    Board.DrawDiagramOn(drawn, 0, 0);
    ASSERT_EQ(drawn.sizeInBytes(), image.sizeInBytes());
    EXPECT_EQ(std::memcmp(drawn.constBits(), image.constBits(), static_cast<std::size_t>(image.sizeInBytes())), 0);
    EXPECT_EQ(RenderDiagramImage(Diagram, 0).size(), QSize(132, 132));
    EXPECT_EQ(RenderDiagramImage(Diagram, 7).size(), QSize(656, 656));
}

TEST_F(DiagramImageTest, HeaderAndFooterBandsTakeTheSampleTextHeightPlusFour) {
    Diagram.Header = Line("Header", taRightJustify);
    Diagram.Footer = Line("Footer", taCenter);
    Diagram.Footer.Font.Size = 20;
    const int hh = SampleHeight(Diagram.Header), fh = SampleHeight(Diagram.Footer);
    ASSERT_GT(fh, hh);
    const QImage image = RenderDiagramImage(Diagram);
    ASSERT_EQ(image.size(), QSize(328, 328 + hh + 4 + fh + 4));
    // The board sits under the header band.
    EXPECT_EQ(image.copy(0, hh + 4, 328, 328), Board.DiagramBitmap().convertToFormat(image.format()));
    // Right-justified header: ink only on the right; centred footer: neither edge.
    EXPECT_FALSE(HasInk(image, QRect(0, 0, 150, hh + 4), Back()));
    EXPECT_TRUE(HasInk(image, QRect(250, 0, 78, hh), Back()));
    const int footTop = 328 + hh + 8;
    EXPECT_TRUE(HasInk(image, QRect(120, footTop, 88, fh), Back()));
    EXPECT_FALSE(HasInk(image, QRect(0, footTop - 4, 60, fh + 4), Back()));
    EXPECT_FALSE(HasInk(image, QRect(268, footTop - 4, 60, fh + 4), Back()));
}

TEST_F(DiagramImageTest, AHeaderWiderThanTheBoardStartsAtTheLeftAndIsClipped) {
    const std::string text(80, 'W');
    Diagram.Header = Line(text, taLeftJustify);
    const QImage left = RenderDiagramImage(Diagram);
    EXPECT_EQ(left.width(), 328);
    for (int alignment : {taCenter, taRightJustify}) {
        Diagram.Header = Line(text, alignment);
        EXPECT_EQ(RenderDiagramImage(Diagram), left) << alignment;
    }
    const int hh = SampleHeight(Line(text));
    EXPECT_TRUE(HasInk(left, QRect(0, 0, 12, hh), Back()));
    EXPECT_TRUE(HasInk(left, QRect(316, 0, 12, hh), Back()));
    // Nothing of the text spills into the gap above the board.
    EXPECT_FALSE(HasInk(left, QRect(0, hh + 2, 328, 2), Back()));
}

TEST_F(DiagramImageTest, ASelectionNeverReachesTheImageAndIsCleared) {
    const QImage clean = RenderDiagramImage(Diagram);
    int focusChanges = 0;
    Board.OnFocusChange = [&](TDiagramBoard&) { ++focusChanges; };
    Board.ToggleSelection(QPoint(4, 1));
    Board.ToggleSelection(QPoint(0, 0));
    ASSERT_EQ(Board.SelectedCount(), 2);
    focusChanges = 0;
    Diagram.Header = Line("x");
    EXPECT_EQ(RenderDiagramImage(Diagram).copy(0, SampleHeight(Line("x")) + 4, 328, 328), clean);
    EXPECT_EQ(Board.SelectedCount(), 0);
    EXPECT_EQ(focusChanges, 1);
}

TEST_F(DiagramImageTest, TransparencyOnlyWhereTheCornerHasTheCoordinateBackground) {
    Board.SetCoordenateBackColor(0x00E0F0FF);
    // Default sides east and south: the top-right corner, in the east band.
    const QImage plain = RenderDiagramImage(Diagram);
    EXPECT_EQ(FindTransparentCorner(plain, TransparencyRuleOf(Diagram)), QPoint(327, 0));
    // A header puts the corner at the top left, in the header band.
    Diagram.Header = Line("Game 1");
    const QImage headed = RenderDiagramImage(Diagram);
    const auto corner = FindTransparentCorner(headed, TransparencyRuleOf(Diagram));
    ASSERT_EQ(corner, QPoint(0, 0));
    std::vector<std::uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(EncodeDiagramImage(headed, {TImageFormat::Gif, ci256Colors, 81, corner}, bytes, error));
    const QImage decoded = testimages::Decode(bytes).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(decoded.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(decoded.pixel(100, 100)), 255);
    // No header, footer or coordinates: the border touches every corner.
    Diagram.Header = {};
    Board.SetCoordenateOrientation(0);
    const QImage bare = RenderDiagramImage(Diagram);
    EXPECT_FALSE(FindTransparentCorner(bare, TransparencyRuleOf(Diagram)).has_value());
    // South band only: the bottom-left corner.
    Board.SetCoordenateOrientation(South);
    const QImage south = RenderDiagramImage(Diagram);
    EXPECT_EQ(FindTransparentCorner(south, TransparencyRuleOf(Diagram)), QPoint(0, south.height() - 1));
}

// A run draws one diagram after another on the same board and canvas: each
// image is what a fresh diagram of its own makes (nothing of the one before
// stays, an arrow over the grid included), and an image still held is never
// painted over by the next.
TEST_F(DiagramImageTest, ARunOfDiagramsDrawsEachAsAFreshOne) {
    const int e2 = 4 * 8 + 1, e4 = 4 * 8 + 3, e1 = 4 * 8 + 0, g8 = 6 * 8 + 7;
    const struct {
        const char* Footer;
        TMoveState State;
        TSideToMove Side;
    } run[] = {
        {"1. White to move", {e2, e4, TLastMoveMark::Arrow, -1, "!?"}, TSideToMove::White},
        {"2. Black to move", {e2, e4, TLastMoveMark::Squares, e1, ""}, TSideToMove::Black},
        {"", {-1, -1, TLastMoveMark::None, g8, ""}, TSideToMove::White},
        {"4. White to move", {}, TSideToMove::None},
        {"5. Black to move", {g8 - 1, g8, TLastMoveMark::Squares, -1, "??"}, TSideToMove::Black},
    };
    const auto show = [&run](TDiagram& d, size_t row) {
        const auto& r = run[row];
        d.Board.SetGridLineWidth(2);
        d.Board.SetShowSideToMove(true);
        d.Board.SetPiece(int(row), 2, pcWQueen);  // each its own position
        d.Board.SetMoveState(r.State);
        d.Board.SetSideToMove(r.Side);
        d.Footer = Line(r.Footer, taCenter);
        d.Footer.Enabled = *r.Footer != 0;
    };
    std::vector<std::pair<QImage, QImage>> held;  // every other image kept, beside what it must stay
    QImage canvas;
    for (size_t row = 0; row < std::size(run); ++row) {
        show(Diagram, row);
        const QImage image = RenderDiagramImage(Diagram, kNoScaleIndex, canvas);
        TDiagram fresh;
        fresh.Board.SetStartPosition();
        for (size_t before = 0; before <= row; ++before) fresh.Board.SetPiece(int(before), 2, pcWQueen);
        show(fresh, row);
        const QImage expected = RenderDiagramImage(fresh).copy();
        EXPECT_EQ(image, expected) << row;
        if (row % 2 == 0) held.emplace_back(image, expected);
    }
    for (size_t i = 0; i < held.size(); ++i) EXPECT_EQ(held[i].first, held[i].second) << "held image " << i;
}
