// The tip of the day: the first tip seen, wrapping in both directions, Read
// More only where a topic exists, and the start-up setting.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "app/Tips.h"
#include "app/ui/TipForm.h"
#include "help/ui/Help.h"
#include "help/ui/HelpWindow.h"

using namespace vorlix;

TEST(Tips, EveryTipWithFurtherHelpHasATopic) {
    for (const TTip& tip : Tips()) {
        EXPECT_FALSE(tip.Text.isEmpty());
        EXPECT_FALSE(tip.Text.contains("Windows")) << tip.Text.toStdString();
        if (tip.HelpContext > 0) EXPECT_TRUE(HelpTopicExists(tip.HelpContext)) << tip.HelpContext;
    }
    EXPECT_TRUE(Tips()[24].Text.contains(kHomePage));
}

TEST(Tips, SteppingWrapsAroundTheTable) {
    EXPECT_EQ(NextTip(24), 0);
    EXPECT_EQ(PreviousTip(0), 24);
    EXPECT_EQ(NextTip(3), 4);
    EXPECT_EQ(NextTip(99), 0);  // a stray index starts again
}

TEST(TipForm, AFreshStartShowsTip1ThenWrapsAndContinuesOnTheNextShowing) {
    int index = 0;
    bool showTips = true;
    TTipForm form(index, showTips, nullptr);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Tip of the day");
    EXPECT_EQ(index, 1);
    EXPECT_EQ(form.TipText(), Tips()[1].Text);
    QTest::mouseClick(form.findChild<QPushButton*>("btnNext"), Qt::LeftButton);
    EXPECT_EQ(index, 2);
    for (int i = 0; i < 3; ++i) QTest::mouseClick(form.findChild<QPushButton*>("btnPrevious"), Qt::LeftButton);
    EXPECT_EQ(index, 24);
    EXPECT_FALSE(form.findChild<QPushButton*>("btnReadMore")->isEnabled());
    QTest::mouseClick(form.findChild<QPushButton*>("btnNext"), Qt::LeftButton);
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(form.findChild<QPushButton*>("btnReadMore")->isEnabled());

    QTest::mouseClick(form.findChild<QPushButton*>("btnOK"), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    form.show();
    EXPECT_EQ(index, 1);
}

TEST(TipForm, ReadMoreIsOnlyForTipsWithATopicAndOpensIt) {
    for (int shown : {9, 16, 22, 24}) {
        int index = shown - 1;
        bool showTips = true;
        TTipForm form(index, showTips, nullptr);
        form.show();
        EXPECT_FALSE(form.findChild<QPushButton*>("btnReadMore")->isEnabled()) << shown;
    }
    int index = -1;  // shows tip 0 (the pop-up menu)
    bool showTips = true;
    TTipForm form(index, showTips, nullptr);
    form.show();
    QTest::mouseClick(form.findChild<QPushButton*>("btnReadMore"), Qt::LeftButton);
    EXPECT_EQ(HelpWindow().CurrentFile(), "popupmenu.html");
    CloseHelp();
}

TEST(TipForm, TheCheckBoxSetsTheStartUpFlagAtOnce) {
    int index = 0;
    bool showTips = false;
    TTipForm form(index, showTips, nullptr);
    form.show();
    auto* box = form.findChild<QCheckBox*>("chkShowTips");
    EXPECT_FALSE(box->isChecked());
    box->click();
    EXPECT_TRUE(showTips);
    box->click();
    EXPECT_FALSE(showTips);
}

TEST(TipForm, EnterMeansOkWhereverTheFocusIs) {
    for (const char* focused : {"btnPrevious", "btnNext", "btnReadMore", "chkShowTips", "btnOK"}) {
        int index = 0;
        bool showTips = true;
        TTipForm form(index, showTips, nullptr);
        form.show();
        ASSERT_EQ(index, 1);
        auto* widget = form.findChild<QWidget*>(focused);
        QApplication::setActiveWindow(&form);
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Return);
        EXPECT_FALSE(form.isVisible()) << focused;
        EXPECT_EQ(index, 1) << focused << ": the tip must not step";
    }
}
