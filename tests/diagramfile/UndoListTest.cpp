#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "board/Diagram.h"
#include "board/UndoList.h"
#include "files/ErrorReporter.h"

using namespace vorlix;

namespace {

class UndoList : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        board.SetErrorReporter(&reporter);
    }
    // Pushes state number n, told apart by the highlight colour of a1.
    void PushState(TUndoList& list, int n) {
        board.Square(0, 0).HighlightColor = TColor(n);
        ASSERT_TRUE(list.Push(diagram)) << reporter.Last();
    }
    int Shown() const { return int(board.Square(0, 0).HighlightColor); }
    QStringList StateFiles() const { return QDir(dir.path()).entryList({"*.tmp"}, QDir::Files); }

    QTemporaryDir dir;
    TCollectingReporter reporter;
    TDiagram diagram;
    TDiagramBoard& board = diagram.Board;
    THeaderFooterInfo& header = diagram.Header;
};

}  // namespace

TEST_F(UndoList, FirstPushAllowsNeitherUndoNorRedo) {
    TUndoList list(dir.path() + "/");
    EXPECT_EQ(list.Directory(), dir.path());
    EXPECT_EQ(list.MaxCount(), 40);
    PushState(list, 1);
    EXPECT_EQ(list.Position(), 1);
    EXPECT_FALSE(list.CanUndo());
    EXPECT_FALSE(list.CanRedo());
    const QString name = QFileInfo(list.Files().at(0)).fileName();
    EXPECT_TRUE(QRegularExpression("^[A-Za-z]{8}\\.tmp$").match(name).hasMatch()) << name.toStdString();
    EXPECT_EQ(QFileInfo(list.Files().at(0)).path(), dir.path());
}

TEST_F(UndoList, UndoRedoAndAPushAfterUndoDropsTheRedoState) {
    TUndoList list(dir.path());
    PushState(list, 1);
    header.Text = "second";
    PushState(list, 2);
    list.Undo(diagram);
    EXPECT_EQ(Shown(), 1);
    EXPECT_EQ(header.Text, "");  // header and footer travel with the state
    EXPECT_TRUE(list.CanRedo());
    list.Redo(diagram);
    EXPECT_EQ(Shown(), 2);
    EXPECT_EQ(header.Text, "second");
    list.Redo(diagram);  // nothing to redo
    EXPECT_EQ(list.Position(), 2);

    list.Undo(diagram);
    const QString second = list.Files().at(1);
    PushState(list, 3);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_FALSE(QFile::exists(second));
    EXPECT_FALSE(list.CanRedo());
    EXPECT_EQ(StateFiles().size(), 2);
}

TEST_F(UndoList, KeepsTheNewestFortyStates) {
    TUndoList list(dir.path());
    for (int n = 1; n <= 41; ++n) PushState(list, n);
    EXPECT_EQ(list.Count(), 40);
    EXPECT_EQ(list.Position(), 40);
    EXPECT_EQ(StateFiles().size(), 40);
    for (int i = 0; i < 39; ++i) list.Undo(diagram);
    EXPECT_EQ(Shown(), 2);
    EXPECT_FALSE(list.CanUndo());
    list.Undo(diagram);
    EXPECT_EQ(list.Position(), 1);
}

TEST_F(UndoList, ClearAndDestructionLeaveNoFiles) {
    {
        TUndoList list(dir.path());
        for (int n = 1; n <= 5; ++n) PushState(list, n);
        list.Clear();
        EXPECT_EQ(list.Position(), 0);
        EXPECT_EQ(list.Count(), 0);
        EXPECT_TRUE(StateFiles().isEmpty());
        PushState(list, 6);
        PushState(list, 7);
    }
    EXPECT_TRUE(StateFiles().isEmpty());
}

TEST_F(UndoList, AnUnwritableFolderIsReportedOnceWithItsReasonAndTheListGoesOn) {
    TUndoList list(dir.filePath("gone"));
    EXPECT_FALSE(list.Push(diagram));
    EXPECT_FALSE(list.Push(diagram));
    ASSERT_EQ(reporter.Messages.size(), 1u);
    EXPECT_EQ(reporter.Last(), "The undo history cannot be kept: its folder\n" + dir.filePath("gone").toStdString() +
                                   "\ncannot be written (File not found!)");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Position(), 0);
    QDir().mkdir(dir.filePath("gone"));
    EXPECT_TRUE(list.Push(diagram));
    EXPECT_EQ(list.Position(), 1);
    // Trouble that comes back after a success is worth a new message.
    QDir(dir.filePath("gone")).removeRecursively();
    EXPECT_FALSE(list.Push(diagram));
    EXPECT_EQ(reporter.Messages.size(), 2u);
}

TEST_F(UndoList, AVanishedStateFileIsReportedAndThePositionStillMoves) {
    TUndoList list(dir.path());
    PushState(list, 1);
    PushState(list, 2);
    const QString vanished = list.Files().at(0);
    QFile::remove(vanished);
    list.Undo(diagram);
    EXPECT_EQ(reporter.Last(), vanished.toStdString() + "\nFile not found!");
    EXPECT_EQ(list.Position(), 1);
    EXPECT_EQ(Shown(), 2);
    list.Redo(diagram);
    EXPECT_EQ(Shown(), 2);
    EXPECT_EQ(list.Position(), 2);
}
