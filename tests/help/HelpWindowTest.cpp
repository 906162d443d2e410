// The help window as a user meets it: topics by number, the contents for an
// unknown number, the index that follows typing, and help from a modal dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "help/ui/Help.h"
#include "help/ui/HelpWindow.h"

using namespace vorlix;

TEST(HelpWindow, OpensTheTopicOfAContextNumber) {
    ShowHelpTopic(kQuickStartContext);
    THelpWindow& window = HelpWindow();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.CurrentFile(), "quickstart.html");
    EXPECT_TRUE(window.Browser().toPlainText().contains("Quick start"));
    EXPECT_TRUE(window.windowTitle().endsWith("Quick start"));
    CloseHelp();
    EXPECT_FALSE(window.isVisible());
}

TEST(HelpWindow, AnUnknownContextNumberOpensTheContentsNotAnEmptyPage) {
    ShowHelpTopic(987654);
    THelpWindow& window = HelpWindow();
    EXPECT_EQ(window.CurrentFile(), "contents.html");
    EXPECT_FALSE(window.Browser().toPlainText().trimmed().isEmpty());
    EXPECT_EQ(window.Tabs().currentIndex(), THelpWindow::tabContents);
    CloseHelp();
}

TEST(HelpWindow, TypingInTheIndexJumpsToTheFirstMatchingKeywordAndEnterShowsIt) {
    ShowHelpIndex();
    THelpWindow& window = HelpWindow();
    EXPECT_EQ(window.Tabs().currentIndex(), THelpWindow::tabIndex);
    QTest::keyClicks(&window.IndexKey(), "quick");
    ASSERT_NE(window.IndexList().currentItem(), nullptr);
    EXPECT_TRUE(window.IndexList().currentItem()->text().startsWith("quick", Qt::CaseInsensitive));
    QTest::keyClick(&window.IndexKey(), Qt::Key_Return);
    EXPECT_EQ(window.CurrentFile(), "quickstart.html");
    CloseHelp();
}

TEST(HelpWindow, FullTextSearchListsTopicsAndOpensTheChosenOne) {
    ShowHelpSearch();
    THelpWindow& window = HelpWindow();
    QTest::keyClicks(&window.SearchKey(), "index keywords");
    QTest::keyClick(&window.SearchKey(), Qt::Key_Return);
    ASSERT_GE(window.SearchResults().count(), 1);
    window.SearchResults().setCurrentRow(0);
    emit window.SearchResults().itemActivated(window.SearchResults().item(0));
    EXPECT_EQ(window.CurrentFile(), "helponhelp.html");
    CloseHelp();
}

namespace {

// Follows the blocked state that modal dialogs give a window.
class TBlockWatch : public QObject {
public:
    bool Blocked = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::WindowBlocked) Blocked = true;
        if (event->type() == QEvent::WindowUnblocked) Blocked = false;
        return false;
    }
};

}  // namespace

TEST(HelpWindow, HelpFromAModalDialogIsUsableAndOutlivesTheDialog) {
    TBlockWatch watch;
    HelpWindow().installEventFilter(&watch);
    QDialog dialog;
    bool blockedWhileModal = true;
    QTimer::singleShot(0, &dialog, [&] {
        ShowHelpOnHelp();
        QApplication::processEvents();
        blockedWhileModal = watch.Blocked;
        dialog.reject();
    });
    dialog.exec();
    EXPECT_FALSE(blockedWhileModal);
    THelpWindow& window = HelpWindow();
    EXPECT_EQ(window.parentWidget(), nullptr);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.CurrentFile(), "helponhelp.html");
    CloseHelp();
}

TEST(HelpWindow, HelpFromAWindowKeptOnTopComesUpAboveItUntilThatWindowHides) {
    QDialog tips(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint);
    tips.show();
    QApplication::setActiveWindow(&tips);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tips));

    ShowHelpTopic(kQuickStartContext);
    THelpWindow& window = HelpWindow();
    EXPECT_EQ(window.parentWidget(), &tips);
    EXPECT_TRUE(window.isWindow());
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());

    tips.hide();
    EXPECT_EQ(window.parentWidget(), nullptr);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    CloseHelp();
}

TEST(HelpWindow, HelpFromAnOrdinaryWindowStaysFree) {
    QWidget main;
    main.show();
    QApplication::setActiveWindow(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    ShowHelpContents();
    EXPECT_EQ(HelpWindow().parentWidget(), nullptr);
    CloseHelp();
}
