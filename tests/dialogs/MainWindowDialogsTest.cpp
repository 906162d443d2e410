// The dialogs as the main window opens them: Apply leaves one undo state and
// the modified mark, the highlight settings reach the settings file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/ui/MainWindow.h"
#include "app/ui/TipForm.h"
#include "board/UndoList.h"
#include "board/ui/BoardSettingsDialog.h"
#include "board/ui/HeaderDialog.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "tests/common/EditorFixture.h"

using namespace vorlix;

namespace {

class MainWindowDialogsTest : public test::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        StartEditor();
    }
    // Runs the work on the modal dialog of the given class once it shows.
    template <class D>
    void WhenShown(std::function<void(D&)> work) {
        QTimer::singleShot(0, [work] {
            auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            work(*dialog);
        });
    }
};

}  // namespace

TEST_F(MainWindowDialogsTest, BoardSettingsApplyMarksTheDiagramOnceAndStoresTheHighlights) {
    const int states = window->UndoList().Count();
    WhenShown<TBoardSettingsDialog>([](TBoardSettingsDialog& dialog) {
        dialog.findChild<QSpinBox*>("edtGridWidth")->setValue(4);
        dialog.findChild<QCheckBox*>("chkHLMerge3")->click();
        QTest::mouseClick(dialog.findChild<QPushButton*>("btnApply"), Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
    });
    QTest::keyClick(window.get(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(window->Board().GridLineWidth(), 4);
    EXPECT_EQ(window->UndoList().Count(), states + 1);
    EXPECT_TRUE(window->DiagramModified());
    EXPECT_TRUE(window->windowTitle().endsWith("*"));
    EXPECT_TRUE(settings->HighLight[2].Merge);
    QSettings file(dir.filePath("settings.ini"), QSettings::IniFormat);
    EXPECT_TRUE(file.value("Software/Brantel/Chess Vorlix/2.20/HighLighting/HLMerge3").toBool());
}

TEST_F(MainWindowDialogsTest, BoardSettingsCancelLeavesNoTrace) {
    const int states = window->UndoList().Count();
    WhenShown<TBoardSettingsDialog>([](TBoardSettingsDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton*>("btnDefaults"), Qt::LeftButton);
        dialog.reject();
    });
    window->findChild<QToolButton*>("spbCustomize")->click();
    EXPECT_EQ(window->UndoList().Count(), states);
    EXPECT_FALSE(window->DiagramModified());
}

TEST_F(MainWindowDialogsTest, HeaderApplyChangesTheHeaderWithOneUndoState) {
    const int states = window->UndoList().Count();
    WhenShown<THeaderDialog>([](THeaderDialog& dialog) {
        dialog.findChild<QCheckBox*>("chkEnabled")->click();
        auto* text = dialog.findChild<QLineEdit*>("edtText");
        text->clear();
        QTest::keyClicks(text, "  White to play  ");
        QTest::mouseClick(dialog.findChild<QPushButton*>("btnApply"), Qt::LeftButton);
        dialog.reject();
    });
    QTest::keyClick(window.get(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(window->Diagram().Header.Enabled);
    EXPECT_EQ(window->Diagram().Header.Text, "White to play");
    EXPECT_FALSE(window->Diagram().Footer.Enabled);
    EXPECT_EQ(window->UndoList().Count(), states + 1);
    window->Item("mnuEditUndo")->trigger();
    EXPECT_FALSE(window->Diagram().Header.Enabled);
}

TEST_F(MainWindowDialogsTest, TheTipOfTheDayGreetsAnUntitledStartOnlyWhenWanted) {
    settings->ShowTips = true;
    settings->TipIndex = 0;
    TMainWindow greeted(*settings, dir.path() + "/", QStringList{});
    greeted.show();
    QApplication::processEvents();  // the start-up message
    EXPECT_TRUE(greeted.TipForm().isVisible());
    EXPECT_EQ(settings->TipIndex, 1);
    greeted.TipForm().close();

    TMainWindow withFile(*settings, dir.path() + "/", QStringList{dir.filePath("default.vxd")});
    withFile.show();
    QApplication::processEvents();
    EXPECT_FALSE(withFile.TipForm().isVisible());

    settings->ShowTips = false;
    TMainWindow quiet(*settings, dir.path() + "/", QStringList{});
    quiet.show();
    QApplication::processEvents();
    EXPECT_FALSE(quiet.TipForm().isVisible());
    quiet.Item("mnuHelpTips")->trigger();  // still there on request
    EXPECT_TRUE(quiet.TipForm().isVisible());
    EXPECT_FALSE(quiet.TipForm().findChild<QCheckBox*>("chkShowTips")->isChecked());
    EXPECT_EQ(settings->TipIndex, 2);
}
