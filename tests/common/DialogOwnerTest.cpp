// Dialogs opened from a window belong to it, so a window kept on top never
// covers the dialogs it opens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "common/ui/DialogOwner.h"

using namespace vorlix;

namespace {

void Activate(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

}  // namespace

TEST(DialogOwner, IsTheActiveWindowElseTheFallback) {
    QWidget main;
    QApplication::setActiveWindow(nullptr);
    EXPECT_EQ(DialogOwner(&main), &main);
    QWidget viewer(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    Activate(viewer);
    EXPECT_EQ(DialogOwner(&main), &viewer);
}

TEST(DialogOwner, ARunningModalDialogComesBeforeTheActiveWindow) {
    QWidget main;
    Activate(main);
    QDialog batch(&main);
    QWidget* owner = nullptr;
    QTimer::singleShot(0, &batch, [&] {
        QApplication::setActiveWindow(&main);  // activation not yet back on the dialog
        owner = DialogOwner(&main);
        batch.reject();
    });
    batch.exec();
    EXPECT_EQ(owner, &batch);
}

TEST(DialogOwner, StaysOnTopFollowsTheWindowsADialogBelongsTo) {
    QWidget viewer(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    QDialog batch(&viewer);
    QWidget plain;
    QDialog message(&plain);
    EXPECT_TRUE(StaysOnTop(&viewer));
    EXPECT_TRUE(StaysOnTop(&batch));
    EXPECT_FALSE(StaysOnTop(&plain));
    EXPECT_FALSE(StaysOnTop(&message));
    EXPECT_FALSE(StaysOnTop(nullptr));
}

TEST(DialogOwner, ALentDialogGoesBackToItsOwnParentAndOutlivesTheBorrower) {
    QWidget main;
    auto* save = new QDialog(&main);
    const Qt::WindowFlags flags = save->windowFlags();
    {
        QDialog borrower;
        const TDialogOwnerScope scope(*save, &borrower);
        EXPECT_EQ(save->parentWidget(), &borrower);
        EXPECT_TRUE(save->isWindow());
    }
    QPointer<QDialog> alive(save);
    ASSERT_TRUE(alive);
    EXPECT_EQ(save->parentWidget(), &main);
    EXPECT_EQ(save->windowFlags(), flags);
}

TEST(DialogOwner, LendingToItsOwnParentOrToNobodyChangesNothing) {
    QWidget main;
    QDialog save(&main);
    { const TDialogOwnerScope scope(save, &main); }
    {
        const TDialogOwnerScope scope(save, nullptr);
        EXPECT_EQ(save.parentWidget(), &main);
    }
    EXPECT_EQ(save.parentWidget(), &main);
}
