#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include "app/ui/AnimationDialog.h"
#include "app/ui/PromoteDialog.h"
#include "board/DiagramBoard.h"

namespace vorlix {
namespace {

TEST(PromoteDialog, EachButtonAnswersItsOffsetFromTheQueen) {
    TDiagramBoard board;
    struct {
        int entry;
        QToolButton* (TPromoteDialog::*button)() const;
        int answer;
    } cases[] = {{8, &TPromoteDialog::btnKnight, 10},
                 {8, &TPromoteDialog::btnQueen, 8},
                 {2, &TPromoteDialog::btnBishop, 3},
                 {2, &TPromoteDialog::btnRook, 5}};
    for (const auto& c : cases) {
        TPromoteDialog dialog(board, c.entry, nullptr);
        dialog.show();
        EXPECT_TRUE(dialog.Cancel());
        QTest::mouseClick((dialog.*c.button)(), Qt::LeftButton);
        EXPECT_FALSE(dialog.Cancel());
        EXPECT_EQ(dialog.PieceCode(), c.answer);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}

TEST(PromoteDialog, CloseBoxEscapeAndCancelAllCancel) {
    TDiagramBoard board;
    TPromoteDialog closed(board, 2, nullptr);
    closed.show();
    closed.close();
    EXPECT_TRUE(closed.Cancel());
    EXPECT_EQ(closed.PieceCode(), 2);

    TPromoteDialog escaped(board, 8, nullptr);
    escaped.show();
    QTest::keyClick(&escaped, Qt::Key_Escape);
    EXPECT_TRUE(escaped.Cancel());
    EXPECT_FALSE(escaped.isVisible());

    TPromoteDialog cancelled(board, 8, nullptr);
    cancelled.show();
    QTest::mouseClick(cancelled.btnCancel(), Qt::LeftButton);
    EXPECT_TRUE(cancelled.Cancel());
    EXPECT_EQ(cancelled.PieceCode(), 8);
}

TEST(PromoteDialog, GlyphsAreThePiecesOnATransparentBackground) {
    TDiagramBoard board;
    TPromoteDialog dialog(board, 8, nullptr);
    const QImage glyph = dialog.btnKnight()->icon().pixmap(32, 32).toImage();
    ASSERT_EQ(glyph.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(glyph.pixel(0, 0)), 0);  // the magenta corner
    int opaque = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) opaque += qAlpha(glyph.pixel(x, y)) == 255;
    EXPECT_GT(opaque, 50);
    EXPECT_EQ(dialog.btnQueen()->size(), QSize(53, 64));
}

TEST(AnimationDialog, ApplyWaitsForAChangeAndStoresTheSpeed) {
    std::vector<int> applied;
    TAnimationDialog dialog(
        20, [&](int speed) { applied.push_back(speed); }, nullptr);
    dialog.show();
    EXPECT_EQ(dialog.Slider()->value(), 20);
    EXPECT_EQ(dialog.lblASpeed()->text(), "20");
    EXPECT_FALSE(dialog.btnApply()->isEnabled());

    QTest::mouseClick(dialog.btnDefaults(), Qt::LeftButton);
    EXPECT_EQ(dialog.lblASpeed()->text(), "45");
    ASSERT_TRUE(dialog.btnApply()->isEnabled());
    QTest::mouseClick(dialog.btnApply(), Qt::LeftButton);
    EXPECT_EQ(applied, std::vector<int>{45});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(AnimationDialog, CancelChangesNothing) {
    std::vector<int> applied;
    TAnimationDialog dialog(
        45, [&](int speed) { applied.push_back(speed); }, nullptr);
    dialog.show();
    dialog.Slider()->setValue(10);
    EXPECT_EQ(dialog.lblASpeed()->text(), "10");
    EXPECT_TRUE(dialog.btnApply()->isEnabled());
    QTest::mouseClick(dialog.btnCancel(), Qt::LeftButton);
    EXPECT_TRUE(applied.empty());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace vorlix
