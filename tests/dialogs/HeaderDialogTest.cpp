// The header and footer dialog: a scratch copy until Apply, the trimmed text,
// the shared back colour, Defaults and Cancel, and the clipped preview.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "board/DiagramBoard.h"
#include "board/ui/HeaderDialog.h"
#include "board/ui/StyleChoosers.h"

using namespace vorlix;

namespace {

class HeaderDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        record = THeaderFooterInfo{true, "Old text", taCenter, clBlack, TCFont{0x0000FF, "MS Sans Serif", 10, 0}};
        board.SetCoordenateBackColor(0xEEEEEE);
    }
    void TearDown() override { SetColorChooser(nullptr); }
    std::unique_ptr<THeaderDialog> Open(THeaderKind kind) {
        auto dialog = std::make_unique<THeaderDialog>(kind, record, board, nullptr);
        dialog->OnApplied = [this] { ++applied; };
        return dialog;
    }
    template <class T>
    static T* Find(QWidget& dialog, const char* name) {
        T* found = dialog.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    THeaderFooterInfo record;
    TDiagramBoard board;
    int applied = 0;
};

// Columns of the picture that hold anything but the back colour.
std::pair<int, int> InkColumns(const QImage& picture, QRgb back) {
    int first = picture.width(), last = -1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != back) first = std::min(first, x), last = std::max(last, x);
    return {first, last};
}

}  // namespace

TEST_F(HeaderDialogTest, CaptionsFollowTheKindOfLine) {
    auto header = Open(THeaderKind::Header);
    EXPECT_EQ(header->windowTitle(), "Customise Header Settings");
    EXPECT_EQ(Find<QCheckBox>(*header, "chkEnabled")->text(), "&Enable Headers");
    EXPECT_EQ(header->HelpContext(), kHeaderHelpContext);
    auto footer = Open(THeaderKind::Footer);
    EXPECT_EQ(footer->windowTitle(), "Customize Footer Settings");
    EXPECT_EQ(Find<QCheckBox>(*footer, "chkEnabled")->text(), "&Enable Footers");
    EXPECT_EQ(footer->HelpContext(), kHeaderHelpContext + 1);
    EXPECT_FALSE(Find<QPushButton>(*footer, "btnApply")->isEnabled());
}

TEST_F(HeaderDialogTest, ApplyStoresTheTrimmedTextAndTheSharedBackColour) {
    auto dialog = Open(THeaderKind::Footer);
    auto* text = Find<QLineEdit>(*dialog, "edtText");
    text->clear();
    QTest::keyClicks(text, "   ");
    Find<QComboBox>(*dialog, "cbxAlignment")->setCurrentIndex(taRightJustify);
    SetColorChooser([](TColor) { return TColor(0x336699); });
    QTest::mouseClick(Find<QPushButton>(*dialog, "btnBackColor"), Qt::LeftButton);
    EXPECT_EQ(record.Text, "Old text");  // nothing before Apply
    EXPECT_EQ(board.CoordenateBackColor(), TColor(0xEEEEEE));

    QTest::mouseClick(Find<QPushButton>(*dialog, "btnApply"), Qt::LeftButton);
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(record.Text, "");
    EXPECT_EQ(record.Alignment, taRightJustify);
    EXPECT_EQ(record.Font.Color, TColor(0x0000FF));
    EXPECT_EQ(board.CoordenateBackColor(), TColor(0x336699));  // the coordinates share it
    EXPECT_FALSE(Find<QPushButton>(*dialog, "btnApply")->isEnabled());
}

TEST_F(HeaderDialogTest, TheTextIsLimitedTo64Characters) {
    auto dialog = Open(THeaderKind::Header);
    auto* text = Find<QLineEdit>(*dialog, "edtText");
    text->clear();
    QTest::keyClicks(text, QString(70, 'x'));
    dialog->btnApplyClick();
    EXPECT_EQ(record.Text.size(), 64u);
}

TEST_F(HeaderDialogTest, DefaultsThenCancelChangesNothing) {
    const THeaderFooterInfo before = record;
    auto dialog = Open(THeaderKind::Header);
    QTest::mouseClick(Find<QPushButton>(*dialog, "btnDefaults"), Qt::LeftButton);
    EXPECT_FALSE(dialog->Scratch().Enabled);
    EXPECT_EQ(dialog->Scratch().Text, "");
    EXPECT_EQ(dialog->Scratch().Font, (TCFont{clBlack, "MS Sans Serif", 12, fsBold}));
    EXPECT_EQ(dialog->BackColor(), clWhite);
    EXPECT_TRUE(Find<QPushButton>(*dialog, "btnApply")->isEnabled());
    QTest::mouseClick(Find<QPushButton>(*dialog, "btnCancel"), Qt::LeftButton);
    EXPECT_EQ(record, before);
    EXPECT_EQ(board.CoordenateBackColor(), TColor(0xEEEEEE));
    EXPECT_EQ(applied, 0);
}

TEST(HeaderPreview, TextIsPlacedByItsAlignmentAndClippedAtTheEdges) {
    THeaderFooterInfo line{true, "Ab", taLeftJustify, clBlack, TCFont{clBlack, "MS Sans Serif", 12, fsBold}};
    const QSize size(200, 30);
    const QRgb white = qRgb(255, 255, 255);
    const auto left = InkColumns(HeaderPreviewPicture(line, clWhite, size), white);
    line.Alignment = taRightJustify;
    const auto right = InkColumns(HeaderPreviewPicture(line, clWhite, size), white);
    line.Alignment = taCenter;
    const auto centre = InkColumns(HeaderPreviewPicture(line, clWhite, size), white);
    EXPECT_LT(left.first, 4);
    EXPECT_GT(right.second, size.width() - 5);
    EXPECT_NEAR((centre.first + centre.second) / 2.0, size.width() / 2.0, 6);

    // A right-justified text wider than the picture starts beyond its left edge:
    // its end stays in view, its beginning is cut off.
    line.Text = std::string(60, 'W') + "i";
    line.Alignment = taRightJustify;
    const QImage wide = HeaderPreviewPicture(line, clWhite, size);
    EXPECT_EQ(wide.size(), size);
    line.Alignment = taLeftJustify;
    EXPECT_NE(wide, HeaderPreviewPicture(line, clWhite, size));
    EXPECT_GT(InkColumns(wide, white).second, size.width() - 8);

    // Taller than the picture: drawn from the top, so the space above the
    // capitals shows and the lower part is cut off (centring would cut the top).
    line.Text = "HH";
    line.Font.Size = 40;
    const QImage tall = HeaderPreviewPicture(line, 0x00FF00, QSize(200, 20));
    int firstInkRow = -1;
    for (int y = 0; y < tall.height() && firstInkRow < 0; ++y)
        for (int x = 0; x < tall.width(); ++x)
            if (tall.pixel(x, y) != qRgb(0, 255, 0)) {
                firstInkRow = y;
                break;
            }
    EXPECT_GE(firstInkRow, 3);
}
