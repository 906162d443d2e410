// The side to move in the main window: the board settings switch the mover
// mark on, the Board menu and the pop-up menu set the side (one undo step
// each), a saved diagram keeps it, and the PGN viewer hands each position's
// side and, when asked, its last move, check and glyph to the board.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/ui/BoardEditor.h"
#include "board/DiagramBoard.h"
#include "board/PositionMarks.h"
#include "board/ui/BoardControl.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "tests/common/EditorFixture.h"
#include "viewers/PgnViewerSettings.h"
#include "viewers/ui/PgnViewer.h"

using namespace vorlix;
using vorlix::test::EditorFixture;

namespace {

constexpr int Sq(char file, char rank) { return (file - 'a') * 8 + (rank - '1'); }

class SideToMoveJourney : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        StartEditor();
    }
    TDiagramBoard& board() { return window->Board(); }
    TBoardControl& control() { return window->BoardControl(); }
    void Trigger(const char* item) {
        QApplication::setActiveWindow(window.get());
        window->UpdateCommandStates();
        window->Item(item)->trigger();
    }
    QImage Shown() {
        control().RenderNow();
        return control().ShownDiagram().copy();
    }
    // The colour in the middle of the mover mark as the window shows it.
    QRgb MarkCentre() {
        const QImage shown = Shown();
        const QRect mark = MoverMarkRect(board());
        return shown.pixel(shown.width() * mark.center().x() / board().Width(),
                           shown.height() * mark.center().y() / board().Height()) |
               0xFF000000u;
    }
};

TEST_F(SideToMoveJourney, SettingMenusUndoRedoSaveAndReopen) {
    Trigger("mnuBoardStartPos");
    const QImage plain = Shown();

    // "Show Side to Move" through the board settings dialog, kept in the Board settings.
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog);
        dialog->findChild<QCheckBox*>("chkShowSideToMove")->click();
        dialog->findChild<QPushButton*>("btnApply")->click();
        dialog->findChild<QPushButton*>("btnCancel")->click();
    });
    Trigger("mnuConfigureBoard");
    EXPECT_TRUE(board().ShowSideToMove());
    EXPECT_EQ(store->ReadBool(kBoardKey, "ShowSideToMove"), std::optional<bool>(true));
    EXPECT_EQ(Shown().size(), plain.size()) << "no side set: no mark, no wider picture";

    // Board menu and pop-up menu: each choice one undo state.
    Trigger("mnuSideToMove1");
    EXPECT_EQ(board().SideToMove(), TSideToMove::Black);
    EXPECT_GT(Shown().width(), plain.width());
    EXPECT_EQ(MarkCentre(), 0xFF000000u);
    Trigger("mnuSideToMove0");
    EXPECT_EQ(board().SideToMove(), TSideToMove::White);
    EXPECT_EQ(MarkCentre(), 0xFFFFFFFFu);
    const QRect whiteMark = MoverMarkRect(board());
    EXPECT_GT(whiteMark.top(), board().Height() / 2) << "White plays up the board: the mark is at the lower corner";

    QTest::mouseClick(&control(), Qt::RightButton, {}, QPoint(20, 20));
    QMenu* popup = window->BoardEditor().popBoard();
    ASSERT_TRUE(popup->isVisible());
    QAction* notShown = popup->findChild<QAction*>("popSideToMove2");
    ASSERT_TRUE(notShown);
    EXPECT_TRUE(popup->findChild<QAction*>("popSideToMove0")->isChecked());
    popup->close();
    notShown->trigger();
    EXPECT_EQ(board().SideToMove(), TSideToMove::None);
    EXPECT_EQ(Shown(), plain);

    const TSideToMove undone[] = {TSideToMove::White, TSideToMove::Black, TSideToMove::None};
    for (TSideToMove side : undone) {
        Trigger("mnuEditUndo");
        EXPECT_EQ(board().SideToMove(), side);
    }
    Trigger("mnuEditRedo");
    Trigger("mnuEditRedo");
    EXPECT_EQ(board().SideToMove(), TSideToMove::White);

    const QString saved = dir.filePath("white.vxd");
    ASSERT_TRUE(window->WriteDiagram(saved));
    Trigger("mnuFileNew");
    EXPECT_EQ(board().SideToMove(), TSideToMove::None);
    ASSERT_TRUE(window->OpenDiagramFile(saved));
    EXPECT_EQ(board().SideToMove(), TSideToMove::White);
    EXPECT_EQ(MarkCentre(), 0xFFFFFFFFu);
}

TEST_F(SideToMoveJourney, PgnViewerGivesEachPositionItsSideAndOnRequestItsState) {
    const QString pgn = WriteFile("mate.pgn",
                                  "[Event \"Trap\"]\n[White \"A\"]\n[Black \"B\"]\n[Result \"*\"]\n\n"
                                  "1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6?? 4. Qxf7+ *\n");
    window->OpenChessFile(pgn);
    auto* viewer = dynamic_cast<TPgnViewer*>(&window->PgnViewer());
    ASSERT_TRUE(viewer && viewer->isVisible());
    EXPECT_EQ(board().SideToMove(), TSideToMove::White);
    EXPECT_FALSE(viewer->chkGameState()->isChecked()) << "off by default";
    viewer->GoToPosition(6);  // after 3... Nf6??
    EXPECT_EQ(board().SideToMove(), TSideToMove::White);
    EXPECT_TRUE(board().MoveState().Empty());

    viewer->chkGameState()->click();
    TMoveState expected;
    expected.From = Sq('g', '8');
    expected.To = Sq('f', '6');
    expected.LastMove = TLastMoveMark::Squares;
    expected.Glyph = "??";
    EXPECT_EQ(board().MoveState(), expected);
    viewer->GoToPosition(7);  // 4. Qxf7+
    EXPECT_EQ(board().SideToMove(), TSideToMove::Black);
    EXPECT_EQ(board().MoveState().Check, Sq('e', '8'));
    EXPECT_EQ(board().MoveState().To, Sq('f', '7'));
    EXPECT_EQ(store->ReadBool(kPGNViewerKey, "ShowGameState"), std::optional<bool>(true));
}

// Copy and paste in both text forms carry the side to move and the arrows and squares.
TEST_F(SideToMoveJourney, CopyAndPasteCarryTheSideAndTheMarks) {
    const TBoardMarks marks{
        {{Sq('e', '2'), Sq('e', '4'), TMarkColor::Green}, {Sq('d', '8'), Sq('h', '4'), TMarkColor::Red}},
        {{Sq('d', '4'), TMarkColor::Yellow}}};
    for (const char* format : {"mnuEditClipEPD", "mnuEditClipSetup"}) {
        SCOPED_TRACE(format);
        Trigger("mnuFileNew");
        Trigger("mnuBoardStartPos");
        Trigger("mnuSideToMove1");
        board().SetMarks(marks);
        const std::array<int32_t, 64> codes = board().Codes();
        Trigger(format);
        Trigger("mnuEditCopy");
        const QString text = QApplication::clipboard()->text();
        EXPECT_TRUE(text.contains(" b {[%cal Ge2e4,Rd8h4] [%csl Yd4]}")) << text.toStdString();
        Trigger("mnuFileNew");
        EXPECT_TRUE(board().Marks().Empty());
        Trigger("mnuEditPaste");
        EXPECT_EQ(board().Codes(), codes);
        EXPECT_EQ(board().SideToMove(), TSideToMove::Black);
        EXPECT_EQ(board().Marks(), marks);
        Trigger("mnuEditUndo");
        EXPECT_TRUE(board().Marks().Empty()) << "the paste is one undo step";
    }
}

}  // namespace
