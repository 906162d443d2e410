// Arrows and coloured squares drawn on the main window's board with the mouse:
// each drawing is one undo step, the right button keeps its pop-up menu, the
// pop-up clears them, and a saved diagram brings them back.
#include <QApplication>
#include <QMenu>
#include <QTest>

#include "app/ui/BoardEditor.h"
#include "board/DiagramBoard.h"
#include "board/ui/BoardControl.h"
#include "tests/common/EditorFixture.h"

using namespace vorlix;
using vorlix::test::EditorFixture;

namespace {

constexpr int Sq(char file, char rank) { return (file - 'a') * 8 + (rank - '1'); }

class DrawnMarksJourney : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        StartEditor();
    }
    TDiagramBoard& board() { return window->Board(); }
    TBoardControl& control() { return window->BoardControl(); }
    QPoint Centre(int square) {
        const TRect32& r = board().Square(square / 8, square % 8).Bounds;
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void Trigger(const char* item) {
        QApplication::setActiveWindow(window.get());
        window->UpdateCommandStates();
        window->Item(item)->trigger();
    }
    // A press, a move past the drag distance and a release, as a hand makes them.
    void Gesture(Qt::MouseButton button, Qt::KeyboardModifiers keys, int from, int to) {
        QTest::mousePress(&control(), button, keys, Centre(from));
        if (from != to) {
            QTest::mouseMove(&control(), Centre(from) + QPoint(8, 8));
            QTest::mouseMove(&control(), Centre(to));
        }
        QTest::mouseRelease(&control(), button, keys, Centre(to));
    }
    QImage Shown() {
        control().RenderNow();
        return control().ShownDiagram().copy();
    }
    std::vector<int> Pieces() {
        std::vector<int> pieces;
        for (int square = 0; square < 64; ++square) pieces.push_back(board().GetPiece({square / 8, square % 8}));
        return pieces;
    }
};

TEST_F(DrawnMarksJourney, DrawUndoRedoClearSaveAndReopen) {
    Trigger("mnuBoardStartPos");
    const std::vector<int> pieces = Pieces();
    const QImage plain = Shown();
    ASSERT_TRUE(board().Marks().Empty());

    const Qt::KeyboardModifiers alt = Qt::AltModifier;
    struct TStep {
        const char* What;
        Qt::MouseButton Button;
        Qt::KeyboardModifiers Keys;
        int From, To;
        TBoardMarks After;
    };
    const TArrowMark e2e4{Sq('e', '2'), Sq('e', '4'), TMarkColor::Green};
    const TArrowMark g1f3{Sq('g', '1'), Sq('f', '3'), TMarkColor::Red};
    const int d4 = Sq('d', '4');
    const TStep steps[] = {
        {"Alt+drag: green arrow", Qt::LeftButton, alt, e2e4.From, e2e4.To, {{e2e4}, {}}},
        {"Alt+Shift+click: red square",
         Qt::LeftButton,
         alt | Qt::ShiftModifier,
         d4,
         d4,
         {{e2e4}, {{d4, TMarkColor::Red}}}},
        {"middle+Shift drag: red arrow",
         Qt::MiddleButton,
         Qt::ShiftModifier,
         g1f3.From,
         g1f3.To,
         {{e2e4, g1f3}, {{d4, TMarkColor::Red}}}},
        {"Alt+Ctrl+click: the square turns yellow",
         Qt::LeftButton,
         alt | Qt::ControlModifier,
         d4,
         d4,
         {{e2e4, g1f3}, {{d4, TMarkColor::Yellow}}}},
        {"Alt+Shift+Ctrl+drag: the arrow turns blue",
         Qt::LeftButton,
         alt | Qt::ShiftModifier | Qt::ControlModifier,
         e2e4.From,
         e2e4.To,
         {{{e2e4.From, e2e4.To, TMarkColor::Blue}, g1f3}, {{d4, TMarkColor::Yellow}}}},
        {"the same arrow again erases it",
         Qt::MiddleButton,
         Qt::ShiftModifier,
         g1f3.From,
         g1f3.To,
         {{{e2e4.From, e2e4.To, TMarkColor::Blue}}, {{d4, TMarkColor::Yellow}}}},
    };
    for (const TStep& step : steps) {
        Gesture(step.Button, step.Keys, step.From, step.To);
        EXPECT_EQ(board().Marks(), step.After) << step.What;
        EXPECT_EQ(Pieces(), pieces) << step.What << ": no piece moved or was copied";
        EXPECT_EQ(board().SelectedCount(), 0) << step.What << ": Ctrl with Alt selects nothing";
    }
    EXPECT_TRUE(window->windowTitle().endsWith('*'));
    EXPECT_NE(Shown(), plain);

    // Released off the board or pressed outside it: nothing is drawn.
    const TBoardMarks drawn = steps[std::size(steps) - 1].After;
    QTest::mousePress(&control(), Qt::LeftButton, alt, Centre(e2e4.From));
    QTest::mouseRelease(&control(), Qt::LeftButton, alt, QPoint(control().width() + 50, 5));
    EXPECT_EQ(board().Marks(), drawn);

    // One undo step per drawing, back to the bare board, then forward again.
    for (int i = int(std::size(steps)) - 2; i >= -1; --i) {
        Trigger("mnuEditUndo");
        EXPECT_EQ(board().Marks(), i >= 0 ? steps[i].After : TBoardMarks{}) << "undo to step " << i;
    }
    EXPECT_EQ(Shown(), plain);
    for (const TStep& step : steps) {
        Trigger("mnuEditRedo");
        EXPECT_EQ(board().Marks(), step.After) << "redo " << step.What;
    }

    // The right button still opens the pop-up menu and draws nothing; its item clears the marks.
    QTest::mouseClick(&control(), Qt::RightButton, {}, Centre(d4));
    QMenu* popup = window->BoardEditor().popBoard();
    ASSERT_TRUE(popup->isVisible());
    QAction* clear = popup->findChild<QAction*>("popClearMarks");
    ASSERT_TRUE(clear);
    EXPECT_TRUE(clear->isEnabled());
    EXPECT_EQ(board().Marks(), drawn);
    popup->close();
    clear->trigger();
    EXPECT_TRUE(board().Marks().Empty());
    QTest::mouseClick(&control(), Qt::RightButton, {}, Centre(d4));
    EXPECT_FALSE(clear->isEnabled());
    popup->close();
    Trigger("mnuEditUndo");
    EXPECT_EQ(board().Marks(), drawn);

    // Saved with the diagram and back after a new one.
    const QString saved = dir.filePath("drawn.vxd");
    ASSERT_TRUE(window->WriteDiagram(saved));
    Trigger("mnuFileNew");
    EXPECT_TRUE(board().Marks().Empty());
    ASSERT_TRUE(window->OpenDiagramFile(saved));
    EXPECT_EQ(board().Marks(), drawn);
    EXPECT_EQ(Pieces(), pieces);
}

}  // namespace
