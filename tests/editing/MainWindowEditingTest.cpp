// The main window's board driven with real mouse and key events.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/ClipboardFormats.h"
#include "app/ui/AnimationDialog.h"
#include "app/ui/BoardEditor.h"
#include "app/ui/JpgQualityDialog.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PromoteDialog.h"
#include "board/UndoList.h"
#include "board/ui/BoardControl.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "tests/common/EditorFixture.h"

using namespace vorlix;

namespace {

class BoardEditingTest : public test::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        answer = QMessageBox::Ok;
        StartEditor();
        control().RenderNow();
    }

    TDiagramBoard& board() { return window->Board(); }
    TBoardControl& control() { return window->BoardControl(); }
    QAction* Item(const char* name) { return window->Item(name); }
    QAction* PopupItem(const char* name) { return window->BoardEditor().popBoard()->findChild<QAction*>(name); }
    QPoint Centre(int file, int rank) {
        const TRect32& r = board().Square(file, rank).Bounds;
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mousePress(&control(), Qt::LeftButton, modifiers, from);
        QTest::mouseMove(&control(), from + QPoint(6, 6));
        QTest::mouseMove(&control(), to);
        QTest::mouseRelease(&control(), Qt::LeftButton, modifiers, to);
    }
    void RunTimer() { window->tmrButtonsEnableTimer(); }
    // Opens a menu of the menu bar with the mouse and closes it with Escape, as a user does.
    void OpenAndCloseMenu(const char* name) {
        QMenuBar* bar = window->menuBar();
        const QRect title = bar->actionGeometry(window->Menu(name)->menuAction());
        QTest::mouseClick(bar, Qt::LeftButton, {}, title.center());
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_EQ(popup, window->Menu(name)) << name;
        QTest::keyClick(popup, Qt::Key_Escape);
        ASSERT_EQ(QApplication::activePopupWidget(), nullptr) << name;
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QTest::keyClick(window.get(), Qt::Key(key), modifiers);
    }
    bool EnabledInBoardMenu(const char* name) {
        emit window->Menu("mnuBoard")->aboutToShow();
        return Item(name)->isEnabled();
    }
    // Answers the next modal dialog of type T with the given action.
    template <class T>
    void AnswerModal(std::function<void(T&)> respond) {
        QTimer::singleShot(0, [respond] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) respond(*dialog);
        });
    }
};

TEST_F(BoardEditingTest, CtrlClickTogglesSelectionWithoutAClick) {
    QToolButton* rook = window->Button("SpeedButton5");
    rook->click();  // insert mode: a plain click would put a rook there
    ASSERT_TRUE(rook->isChecked());
    QTest::mouseClick(&control(), Qt::LeftButton, Qt::ControlModifier, Centre(4, 3));
    EXPECT_TRUE(board().IsSelected({4, 3}));
    EXPECT_EQ(board().SquareCode({4, 3}), 0);
    EXPECT_TRUE(window->DiagramModified());  // through the focus-change event
    QTest::mouseClick(&control(), Qt::LeftButton, Qt::ControlModifier, Centre(4, 3));
    EXPECT_FALSE(board().IsSelected({4, 3}));
}

TEST_F(BoardEditingTest, DragMovesAPieceWithOneUndoState) {
    const int states = window->UndoList().Count();
    Drag(Centre(4, 1), Centre(4, 3));
    EXPECT_EQ(board().SquareCode({4, 1}), 0);
    EXPECT_EQ(board().SquareCode({4, 3}), 6);
    EXPECT_EQ(window->UndoList().Count(), states + 1);
    EXPECT_FALSE(control().Dragging());
    // Redrawing the two squares alone gave the picture of a full rendering.
    const QImage incremental = board().DiagramBitmap().copy();
    board().Render();
    EXPECT_EQ(incremental, board().DiagramBitmap());
}

TEST_F(BoardEditingTest, ShiftCopiesAndADropOutsidePutsBack) {
    Drag(Centre(6, 0), Centre(5, 2), Qt::ShiftModifier);
    EXPECT_EQ(board().SquareCode({6, 0}), 4);
    EXPECT_EQ(board().SquareCode({5, 2}), 4);

    const int states = window->UndoList().Count();
    const auto before = board().Codes();
    Drag(Centre(3, 1), QPoint(control().width() + 30, -20));
    EXPECT_EQ(board().Codes(), before);
    EXPECT_EQ(window->UndoList().Count(), states);
    Drag(Centre(3, 1), QPoint(-5, -5), Qt::ShiftModifier);
    EXPECT_EQ(board().Codes(), before);
}

TEST_F(BoardEditingTest, PawnOnTheLastRankAsksForThePiece) {
    board().ClearBoard();
    board().SetPiece(0, 6, 6);
    board().SetPiece(7, 1, 12);
    AnswerModal<TPromoteDialog>([](TPromoteDialog& dialog) { dialog.close(); });
    Drag(Centre(0, 6), Centre(0, 7));
    EXPECT_EQ(board().SquareCode({0, 6}), 6);
    EXPECT_EQ(board().SquareCode({0, 7}), 0);

    AnswerModal<TPromoteDialog>([](TPromoteDialog& dialog) { dialog.btnKnight()->click(); });
    Drag(Centre(7, 1), Centre(7, 0));
    EXPECT_EQ(board().SquareCode({7, 1}), 0);
    EXPECT_EQ(board().SquareCode({7, 0}), 10);
}

TEST_F(BoardEditingTest, TypedPiecesFillTheSelectionAndSpaceUnselects) {
    for (QPoint s : {QPoint(2, 3), QPoint(3, 3), QPoint(4, 3)}) board().ToggleSelection(s);
    QTest::keyClick(window.get(), 'Q');
    for (int file : {2, 3, 4}) EXPECT_EQ(board().SquareCode({file, 3}), 2);
    EXPECT_EQ(board().SelectedCount(), 0);

    const int states = window->UndoList().Count();
    QTest::keyClick(window.get(), 'Q');  // nothing selected: still an undo state
    EXPECT_EQ(window->UndoList().Count(), states + 1);

    board().ToggleSelection({0, 0});
    board().ToggleSelection({0, 1});
    QTest::keyClick(window.get(), 'x');
    EXPECT_EQ(board().SquareCode({0, 0}), pcBCross);
    board().ToggleSelection({0, 0});
    QTest::keyClick(window.get(), Qt::Key_Backspace);
    EXPECT_EQ(board().SquareCode({0, 0}), 0);
    board().ToggleSelection({0, 7});
    // Ctrl+H opens the header dialog; it is not a Backspace.
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    QTest::keyClick(window.get(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(board().SquareCode({0, 7}), 11);
    board().UnselectAll();
    board().ToggleSelection({1, 0});
    QTest::keyClick(window.get(), Qt::Key_Delete);
    EXPECT_EQ(board().SquareCode({1, 0}), 0);

    board().ToggleSelection({5, 5});
    board().ToggleSelection({6, 5});
    QTest::keyClick(window.get(), ' ');
    EXPECT_EQ(board().SelectedCount(), 0);
    for (const char* name : {"mnuBoardDefect", "mnuBoardDelete", "mnuHighlighting", "mnuInsertWhite", "mnuInsertBlack"})
        EXPECT_FALSE(EnabledInBoardMenu(name)) << name;
}

TEST_F(BoardEditingTest, BoardMenuItemsActOnTheSelection) {
    board().SetPiece(4, 3, pcWCross);
    board().ToggleSelection({4, 3});
    for (const char* name : {"mnuInsertWhiteCross", "mnuInsertWhiteKing", "mnuBoardDefect", "mnuHighlighting"})
        EXPECT_TRUE(EnabledInBoardMenu(name)) << name;
    EXPECT_FALSE(EnabledInBoardMenu("mnuHLClear"));
    Item("mnuBoardDefect")->trigger();
    EXPECT_EQ(board().SquareCode({4, 3}), pcBCross);

    settings->HighLight[1] = {clRed, true};
    Item("mnuHLOption2")->trigger();
    EXPECT_TRUE(board().Square(4, 3).Merged);
    EXPECT_TRUE(board().IsSelected({4, 3}));
    EXPECT_FALSE(EnabledInBoardMenu("mnuHLMerge"));
    EXPECT_TRUE(EnabledInBoardMenu("mnuHLUnmerge"));
    window->BoardEditor().SetColorChooser([](TColor) { return std::optional<TColor>(clBlue); });
    Item("mnuHLCustom")->trigger();
    EXPECT_EQ(board().Square(4, 3).HighlightColor, clBlue);
    EXPECT_FALSE(board().Square(4, 3).Merged);

    Item("mnuInsertBlackQueen")->trigger();
    EXPECT_EQ(board().SquareCode({4, 3}), 8);
    Item("mnuSelectAll")->trigger();
    EXPECT_EQ(board().SelectedCount(), 64);
    EXPECT_FALSE(EnabledInBoardMenu("mnuSelectAll"));
    Item("mnuUnselectAll")->trigger();
    EXPECT_EQ(board().SelectedCount(), 0);
}

TEST_F(BoardEditingTest, PopupActsOnTheClickedSquareWhenItIsNotSelected) {
    board().ToggleSelection({0, 0});
    board().ToggleSelection({1, 0});
    board().SetPiece(4, 3, pcWCross);
    QTest::mouseClick(&control(), Qt::RightButton, {}, Centre(4, 3));
    QMenu* popup = window->BoardEditor().popBoard();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_FALSE(PopupItem("popInsertWhiteCross")->isEnabled());
    EXPECT_TRUE(PopupItem("popInsertWhiteKing")->isEnabled());
    EXPECT_TRUE(PopupItem("popSelect")->isEnabled());
    EXPECT_FALSE(PopupItem("popUnselect")->isEnabled());
    EXPECT_FALSE(PopupItem("popHLClear")->isEnabled());
    popup->close();
    PopupItem("popBoardDefect")->trigger();
    EXPECT_EQ(board().SquareCode({4, 3}), pcBCross);
    EXPECT_EQ(board().SquareCode({0, 0}), 5);

    // On a selected square the pop-up works on the selection; a custom colour keeps merge flags.
    board().HighlightSquare(clRed, true, false, {0, 0});
    QTest::mouseClick(&control(), Qt::RightButton, {}, Centre(0, 0));
    EXPECT_TRUE(PopupItem("popUnselect")->isEnabled());
    EXPECT_TRUE(PopupItem("popHLClear")->isEnabled());
    popup->close();
    window->BoardEditor().SetColorChooser([](TColor) { return std::optional<TColor>(clBlue); });
    PopupItem("popHLCustom")->trigger();
    EXPECT_TRUE(board().Square(0, 0).Merged);
    EXPECT_EQ(board().Square(1, 0).HighlightColor, clBlue);
    PopupItem("popInsertBlackPawn")->trigger();
    EXPECT_EQ(board().SquareCode({0, 0}), 12);
    EXPECT_EQ(board().SquareCode({1, 0}), 12);
}

TEST_F(BoardEditingTest, PiecesToolbarInsertsOrFillsBySelection) {
    QToolButton* rook = window->Button("SpeedButton5");
    rook->click();
    QTest::mouseClick(&control(), Qt::LeftButton, {}, Centre(1, 7));  // black knight on b8
    EXPECT_EQ(board().SquareCode({1, 7}), 5);
    EXPECT_TRUE(window->DiagramModified());
    rook->click();
    EXPECT_FALSE(rook->isChecked());
    Drag(Centre(1, 7), Centre(1, 5));
    EXPECT_EQ(board().SquareCode({1, 5}), 5);

    rook->click();
    board().ToggleSelection({7, 4});
    RunTimer();
    EXPECT_FALSE(rook->isChecked());
    EXPECT_FALSE(rook->isCheckable());
    window->Button("SpeedButton8")->click();
    EXPECT_EQ(board().SquareCode({7, 4}), 8);
    EXPECT_EQ(board().SelectedCount(), 0);
}

TEST_F(BoardEditingTest, ClipboardFormatsCopyAndPaste) {
    Item("mnuEditClipEPD")->trigger();
    EXPECT_EQ(store->ReadInteger(kMainKey, "Clipboard Format"), 4);
    Item("mnuEditCopy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR");
    board().ClearBoard();
    Item("mnuEditPaste")->trigger();
    TDiagramBoard start;
    EXPECT_EQ(board().Codes(), start.Codes());
    EXPECT_TRUE(window->DiagramModified());

    QApplication::clipboard()->setText("Setup: wKg1,Rf1/bKg8");
    Item("mnuEditPaste")->trigger();
    EXPECT_EQ(board().SquareCode({6, 0}), 1);
    EXPECT_EQ(board().SquareCode({5, 0}), 5);
    EXPECT_EQ(board().SquareCode({6, 7}), 7);

    const auto before = board().Codes();
    const int states = window->UndoList().Count();
    QApplication::clipboard()->setText("wKe1,");
    Item("mnuEditPaste")->trigger();
    EXPECT_EQ(board().Codes(), before);
    EXPECT_EQ(window->UndoList().Count(), states);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.back(), "Clipboard text does not appear to contain any \nvalid chess data...");

    Item("mnuEditClipBmp4")->trigger();
    Item("mnuEditCut")->trigger();
    EXPECT_TRUE(board().IsEmpty());
    const QImage image = QApplication::clipboard()->image();
    EXPECT_FALSE(image.isNull());
    emit window->Menu("mnuEdit")->aboutToShow();
    EXPECT_TRUE(Item("mnuEditEmptyClipboard")->isEnabled());
    EXPECT_TRUE(Item("mnuEditClipBmp4")->isChecked());
    Item("mnuEditEmptyClipboard")->trigger();
    emit window->Menu("mnuEdit")->aboutToShow();
    EXPECT_FALSE(Item("mnuEditEmptyClipboard")->isEnabled());
    EXPECT_FALSE(Item("mnuEditPaste")->isEnabled());
}

TEST_F(BoardEditingTest, AnimationSpeedIsWrittenAtOnce) {
    AnswerModal<TAnimationDialog>([](TAnimationDialog& dialog) {
        dialog.btnDefaults()->click();
        dialog.btnApply()->click();
    });
    settings->AnimationSpeed = 10;
    Item("mnuAnimationSpeed")->trigger();
    EXPECT_EQ(store->ReadInteger(kBoardKey, "AnimationSpeed"), 45);
    EXPECT_EQ(board().AnimationSpeed(), 45);
}

TEST_F(BoardEditingTest, PopupShowsTheFileMenusKeysWithoutOwningThem) {
    for (const char* name : {"popInvertBoard", "popStartPos"}) {
        QAction* item = PopupItem(name);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_TRUE(item->shortcut().isEmpty()) << name;
    }
    EXPECT_EQ(PopupItem("popInvertBoard")->text(), "&Invert Board\tCtrl+I");
    EXPECT_EQ(PopupItem("popStartPos")->text(), "S&tarting Position\tCtrl+S");
}

TEST_F(BoardEditingTest, CutThatCannotCopyKeepsTheBoard) {
    const auto before = board().Codes();
    const int states = window->UndoList().Count();
    settings->ClipboardFormat = kClipboardFormatCount;  // no format the clipboard knows
    Item("mnuEditCut")->trigger();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.back(), "The diagram could not be copied to the clipboard...");
    EXPECT_EQ(board().Codes(), before);
    EXPECT_FALSE(window->DiagramModified());
    EXPECT_EQ(window->UndoList().Count(), states);
}

TEST_F(BoardEditingTest, EditShortcutsKeepWorkingAfterTheMenusWereOpened) {
    QApplication::clipboard()->clear();
    OpenAndCloseMenu("mnuEdit");  // nothing to undo, redo, or paste at this moment
    OpenAndCloseMenu("mnuBoard");
    Drag(Centre(4, 1), Centre(4, 3));
    Key(Qt::Key_Z);
    EXPECT_EQ(board().SquareCode({4, 1}), 6);
    EXPECT_EQ(board().SquareCode({4, 3}), 0);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(board().SquareCode({4, 3}), 6);

    settings->ClipboardFormat = 4;  // EPD text
    Key(Qt::Key_C);
    EXPECT_EQ(QApplication::clipboard()->text(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR");
    OpenAndCloseMenu("mnuEdit");
    Key(Qt::Key_X);
    EXPECT_TRUE(board().IsEmpty());
    OpenAndCloseMenu("mnuEdit");  // with an empty board: Cut is disabled now
    QApplication::clipboard()->setText("8/8/8/8/8/8/8/K6k w - - 0 1");
    Key(Qt::Key_V);
    EXPECT_EQ(board().SquareCode({0, 0}), 1);
    EXPECT_EQ(board().SquareCode({7, 0}), 7);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(BoardEditingTest, BoardMenuKeysAndTypedPiecesWorkAfterTheMenusWereOpened) {
    QTest::mouseClick(&control(), Qt::LeftButton, Qt::ControlModifier, Centre(3, 3));
    OpenAndCloseMenu("mnuBoard");
    QTest::keyClick(window.get(), 'N');
    EXPECT_EQ(board().SquareCode({3, 3}), 4);
    Key(Qt::Key_Z);
    EXPECT_EQ(board().SquareCode({3, 3}), 0);

    // The keys shown beside Invert Board and Starting Position belong to the File menu.
    const QString saved = dir.filePath("shortcut.vxd");
    ASSERT_TRUE(window->WriteDiagram(saved));
    board().SetPiece(0, 3, 2);
    window->MarkModified();
    OpenAndCloseMenu("mnuBoard");
    OpenAndCloseMenu("mnuFile");
    Key(Qt::Key_S);
    EXPECT_FALSE(window->DiagramModified());
    bool imageDialogShown = false;
    AnswerModal<QFileDialog>([&](QFileDialog& dialog) {
        imageDialogShown = dialog.objectName() == "KXSaveDialog1";
        dialog.reject();
    });
    Key(Qt::Key_I);
    EXPECT_TRUE(imageDialogShown);
    EXPECT_EQ(board().View(), vwWhiteUnder);
}

TEST_F(BoardEditingTest, PopupHintsReachTheStatusBarAndGoWhenAMenuCloses) {
    QTest::mouseClick(&control(), Qt::RightButton, {}, Centre(4, 3));
    QMenu* popup = window->BoardEditor().popBoard();
    ASSERT_TRUE(popup->isVisible());
    QTest::keyClick(popup, Qt::Key_Down);
    ASSERT_NE(popup->activeAction(), nullptr);
    EXPECT_FALSE(popup->activeAction()->statusTip().isEmpty());
    EXPECT_EQ(window->StatusText(), popup->activeAction()->statusTip());
    QTest::keyClick(popup, Qt::Key_Escape);
    EXPECT_EQ(window->StatusText(), "Chess Vorlix 2.21");

    QMenuBar* bar = window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(window->Menu("mnuEdit")->menuAction()).center());
    auto* edit = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(edit, nullptr);
    QTest::keyClick(edit, Qt::Key_Down);
    ASSERT_NE(edit->activeAction(), nullptr);
    const QString itemHint = edit->activeAction()->statusTip();
    EXPECT_EQ(window->StatusText(), itemHint);
    QTest::keyClick(edit, Qt::Key_Escape);
    // The menu title stays highlighted under the mouse and may show its own hint.
    EXPECT_NE(window->StatusText(), itemHint);
}

TEST_F(BoardEditingTest, StandardKeysBesideTheCommandTableClashWithNothing) {
    EXPECT_EQ(Item("mnuFileNew")->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(Item("mnuFileOpen")->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::Key_F7), QKeySequence("Ctrl+O")}));
    EXPECT_EQ(Item("mnuFileSaveAs")->shortcut(), QKeySequence("Ctrl+Shift+S"));
    EXPECT_EQ(Item("mnuFileExit")->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_EQ(Item("mnuHelpContents")->shortcut(), QKeySequence(Qt::Key_F1));
    QStringList keys;
    for (QAction* action : window->findChildren<QAction*>())
        for (const QKeySequence& key : action->shortcuts()) keys << key.toString();
    for (QMenu* menu : window->findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            if (!window->findChildren<QAction*>().contains(action))
                for (const QKeySequence& key : action->shortcuts()) keys << key.toString();
    const QStringList unique(QSet<QString>(keys.begin(), keys.end()).values());
    EXPECT_EQ(keys.size(), unique.size()) << keys.join(' ').toStdString();

    OpenAndCloseMenu("mnuFile");
    Key(Qt::Key_Q);  // an unchanged diagram closes without a question
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(BoardEditingTest, BothSliderDialogsOrderTheirButtonsAlike) {
    TAnimationDialog animation(
        10, [](int) {}, window.get());
    TJpgQualityDialog quality(*settings, window.get());
    auto order = [](QDialog& dialog, QPushButton* apply, QPushButton* defaults, QPushButton* cancel) {
        dialog.show();
        QApplication::processEvents();
        EXPECT_NE(qobject_cast<QDialogButtonBox*>(apply->parentWidget()), nullptr);
        std::vector<std::pair<int, QString>> row;
        for (QPushButton* button : {apply, defaults, cancel})
            row.emplace_back(button->mapTo(&dialog, QPoint()).x(), button->text());
        std::sort(row.begin(), row.end());
        QStringList texts;
        for (const auto& [x, text] : row) texts << text;
        dialog.hide();
        return texts;
    };
    const QStringList animationOrder =
        order(animation, animation.btnApply(), animation.btnDefaults(), animation.btnCancel());
    const QStringList qualityOrder = order(quality, quality.btnApply(), quality.btnDefaults(), quality.btnCancel());
    EXPECT_EQ(animationOrder, qualityOrder);
    EXPECT_TRUE(quality.btnApply()->isDefault());
}

}  // namespace
