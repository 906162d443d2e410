#include <QCheckBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "app/ui/PosDataDialog.h"
#include "board/UndoList.h"
#include "tests/common/EditorFixture.h"

using namespace vorlix;
using vorlix::test::EditorFixture;

namespace {

const QByteArray kGame = "[Event \"Test\"]\n[White \"A\"]\n[Black \"B\"]\n[Result \"1-0\"]\n\n1. e4 e5 1-0\n";
const QByteArray kPosition = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - bm e5; id \"one\";\n";

QString NotValid(const QString& path, const QString& kind) {
    return path + " does not seem to\r\n be a valid " + kind + " file.";
}

class OpenChessFileTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        StartEditor();
    }
    QStringList ReopenCaptions() {
        emit window->Menu("mnuFile")->aboutToShow();
        QStringList captions;
        for (QAction* item : window->Menu("mnuFileReopen")->actions())
            captions << (item->isSeparator() ? QString("-") : item->text());
        return captions;
    }
};

}  // namespace

TEST_F(OpenChessFileTest, AnUnreadableFileTriesPgnThenEpdOnceAndLeavesBothLists) {
    const QString path = WriteFile("game.txt", "this is not a chess file\n");
    settings->RecentPGN = {path};
    settings->RecentEPD = {path, "/other.epd"};
    window->OpenChessFile(path);
    EXPECT_EQ(messages, (QStringList{NotValid(path, "PGN"), NotValid(path, "EPD")}));
    EXPECT_TRUE(settings->RecentPGN.isEmpty());
    EXPECT_EQ(settings->RecentEPD, QStringList{"/other.epd"});
    EXPECT_FALSE(window->Opening());
    EXPECT_TRUE(window->Button("spbOpenFile")->isEnabled());

    // The retry rule starts afresh with the next file.
    messages.clear();
    const QString epd = WriteFile("games.epd", kGame);
    window->OpenChessFile(epd);
    EXPECT_EQ(messages, QStringList{NotValid(epd, "EPD")});
    EXPECT_EQ(settings->RecentPGN, QStringList{epd});
    EXPECT_TRUE(settings->RecentEPD.size() == 1);
}

TEST_F(OpenChessFileTest, AMissingFileIsReportedAndLeavesOnlyTheArchiveLists) {
    const QString path = dir.filePath("gone.pgn");
    settings->RecentPGN = {path};
    settings->RecentEPD = {path};
    settings->RecentVXD = {path};
    window->OpenChessFile(path);
    EXPECT_EQ(messages, QStringList{path + "\ndoes not exist."});
    EXPECT_TRUE(settings->RecentPGN.isEmpty());
    EXPECT_TRUE(settings->RecentEPD.isEmpty());
    EXPECT_EQ(settings->RecentVXD, QStringList{path});
}

TEST_F(OpenChessFileTest, TheSamePgnFileTwiceIsListedOnceAtTheTop) {
    const QString first = WriteFile("first.pgn", kGame);
    const QString second = WriteFile("second.pgn", kGame);
    window->OpenChessFile(first);
    window->OpenChessFile(second);
    window->OpenChessFile(first);
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    EXPECT_EQ(settings->RecentPGN, (QStringList{first, second}));
    // The viewer shows the file until it closes.
    EXPECT_TRUE(window->PgnViewer().ArchiveVisible());
    EXPECT_TRUE(window->Opening());
    window->PgnViewer().CloseArchive();
    EXPECT_FALSE(window->Opening());
}

TEST_F(OpenChessFileTest, DiagramFilesOpenSaveAndJoinTheirList) {
    const QString saved = dir.filePath("one.vxd");
    ASSERT_TRUE(window->WriteDiagram(saved));
    EXPECT_EQ(settings->RecentVXD, QStringList{saved});
    window->Board().ClearBoard();
    window->MarkModified();
    window->OpenChessFile(saved);  // the save question is answered No
    EXPECT_EQ(messages, QStringList{"Save changes to  one.vxd ?"});
    EXPECT_EQ(window->Board().GetPiece(QPoint(4, 0)), 1);
    EXPECT_EQ(window->windowTitle(), "Chess Vorlix 2.21 - one.vxd");
    EXPECT_EQ(window->UndoList().Count(), 1);
    EXPECT_EQ(settings->RecentVXD, QStringList{saved});
}

TEST_F(OpenChessFileTest, ReopenListsDiagramsPgnAndEpdFilesAndOpensTheChosenOne) {
    EXPECT_FALSE((emit window->Menu("mnuFile")->aboutToShow(), window->Menu("mnuFileReopen")->isEnabled()));
    const QString game = WriteFile("x.pgn", kGame);
    settings->RecentVXD = {"/d/a.vxd"};
    settings->RecentPGN = {game};
    settings->RecentEPD = {"/d/c.epd"};
    EXPECT_EQ(ReopenCaptions(), (QStringList{"&0  /d/a.vxd", "-", "&1  " + game, "-", "&2  /d/c.epd"}));
    EXPECT_TRUE(window->Menu("mnuFileReopen")->isEnabled());
    window->Menu("mnuFileReopen")->actions().at(4)->trigger();
    EXPECT_EQ(messages, QStringList{"/d/c.epd\ndoes not exist."});
    EXPECT_EQ(ReopenCaptions(), (QStringList{"&0  /d/a.vxd", "-", "&1  " + game}));
}

TEST_F(OpenChessFileTest, ADroppedFileGoesThroughTheOpeningRoad) {
    const QString game = WriteFile("dropped.pgn", kGame);
    Drop(game);
    EXPECT_EQ(settings->RecentPGN, QStringList{game});
}

// ---- Save as EPD -------------------------------------------------------------

namespace {

class SaveAsEpdTest : public OpenChessFileTest {
protected:
    // Saves with the dialog filled in by fill; returns the file's text.
    QByteArray Save(const std::function<void(TPosDataDialog&)>& fill) {
        const QString file = dir.filePath("out.epd");
        QFile::remove(file);
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TPosDataDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            fill(*dialog);
            dialog->btnOK()->click();
        });
        window->SaveAsEPD(file);
        QFile in(file);
        in.open(QIODevice::ReadOnly);
        return in.readAll();
    }
    void Place(const char* placement) { ASSERT_TRUE(window->Board().SetPositionFromPlacement(placement)); }
};

}  // namespace

TEST_F(SaveAsEpdTest, CastlingBoxesFollowKingAndRookSquares) {
    Place("r3k2r/8/8/8/8/8/8/R3K3");
    bool kingSideEnabled = true;
    const QByteArray text = Save([&](TPosDataDialog& d) {
        kingSideEnabled = d.chkCastle(0)->isEnabled();
        EXPECT_TRUE(d.chkCastle(1)->isEnabled() && d.chkCastle(1)->isChecked());
        d.chkCastle(3)->setChecked(false);
        d.edtBestMove()->setText("  O-O-O extra ");
        d.edtGameID()->setText(" pos 1 ");
    });
    EXPECT_FALSE(kingSideEnabled);
    EXPECT_EQ(text, "r3k2r/8/8/8/8/8/8/R3K3 w Qk - bm O-O-O; id \"pos 1\";\r\n");
    EXPECT_EQ(settings->RecentEPD, QStringList{dir.filePath("out.epd")});
}

TEST_F(SaveAsEpdTest, EnPassantSquareOnlyWhenThePawnStandsBesideIt) {
    Place("4k3/8/8/3pP3/8/8/8/4K3");
    auto withSquare = [&](const QString& square, bool whiteToMove) {
        return Save([&](TPosDataDialog& d) {
            d.chkWhiteToMove()->setChecked(whiteToMove);
            d.chkEP()->setChecked(true);
            EXPECT_TRUE(d.edtEPSquare()->isEnabled());
            d.edtEPSquare()->setText(square);
        });
    };
    EXPECT_EQ(withSquare("D6", true), "4k3/8/8/3pP3/8/8/8/4K3 w - d6;\r\n");
    EXPECT_EQ(withSquare("e6", true), "4k3/8/8/3pP3/8/8/8/4K3 w - -;\r\n");  // no black pawn on e5
    EXPECT_EQ(withSquare("d3", false), "4k3/8/8/3pP3/8/8/8/4K3 b - -;\r\n");
    EXPECT_EQ(withSquare("d", true), "4k3/8/8/3pP3/8/8/8/4K3 w - -;\r\n");
}

TEST_F(SaveAsEpdTest, LinesAreAppendedAndALastLineWithoutItsEndIsClosed) {
    const QString file = WriteFile("out.epd", "8/8/8/8/8/8/8/K6k w - -;");
    QTimer::singleShot(0, [] { static_cast<TPosDataDialog*>(QApplication::activeModalWidget())->btnOK()->click(); });
    Place("8/8/8/8/8/8/8/k6K");
    window->SaveAsEPD(file);
    QFile in(file);
    in.open(QIODevice::ReadOnly);
    EXPECT_EQ(in.readAll(), "8/8/8/8/8/8/8/K6k w - -;\r\n8/8/8/8/8/8/8/k6K w - -;\r\n");
}

TEST_F(SaveAsEpdTest, CancelWritesNothing) {
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    window->SaveAsEPD(dir.filePath("never.epd"));
    EXPECT_FALSE(QFile::exists(dir.filePath("never.epd")));
    EXPECT_TRUE(settings->RecentEPD.isEmpty());
}
