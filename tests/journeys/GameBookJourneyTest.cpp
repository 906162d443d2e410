// A game book from the PGN viewer through the real main window: without
// ticked games "Export Games..." says so; with two ticked games it writes
// exactly those two, in the notation chosen in its dialog.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include "files/PGNRecord.h"
#include "tests/common/EditorFixture.h"
#include "viewers/GameListModel.h"
#include "viewers/ui/GameBookDialog.h"
#include "viewers/ui/PgnViewer.h"

using namespace vorlix;
using vorlix::test::EditorFixture;

namespace {

class GameBookJourney : public EditorFixture {
protected:
    TPgnViewer& Viewer() { return dynamic_cast<TPgnViewer&>(window->PgnViewer()); }
    QString Tag(int game, TPGNTag tag) {
        const std::string_view text = Viewer().Games().Tag(game, tag);
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
};

}  // namespace

TEST_F(GameBookJourney, TheTickedGamesBecomeABookInTheChosenNotation) {
    StartEditor();
    window->OpenChessFile(VORLIX_TEST_DATA_DIR "/Morphy_ANSI.pgn");
    TPgnViewer& viewer = Viewer();
    ASSERT_GT(viewer.Games().Count(), 3);

    viewer.btnExportGames()->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("There are no PGN games selected for export...")) << messages[0].toStdString();

    window->Board().SetDarkSquares(0x7B3F7B);  // the editor's look goes into the book
    for (const int row : {0, 2})
        viewer.Model().setData(viewer.Model().index(row, gcCheck), Qt::Checked, Qt::CheckStateRole);
    const QString book = dir.filePath("morphy.html");
    QString offered;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TGameBookDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        offered = dialog->edtFileName()->text();
        dialog->edtFileName()->setText(book);
        dialog->cbxNotation()->setCurrentIndex(static_cast<int>(TNotation::German));
        dialog->cbxDiagrams()->setCurrentIndex(1);  // every N moves
        dialog->findChild<QPushButton*>("btnOK")->click();
    });
    viewer.btnExportGames()->click();
    EXPECT_TRUE(offered.endsWith("Morphy_ANSI.pdf")) << offered.toStdString();
    QFile file(book);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_EQ(html.count("<article"), 2);
    const std::vector<int> ticked = viewer.Model().CheckedGames();
    ASSERT_EQ(ticked.size(), 2u);
    for (const int game : ticked)
        EXPECT_TRUE(html.contains("<h2>" + Tag(game, TPGNTag::White).toHtmlEscaped()))
            << Tag(game, TPGNTag::White).toStdString();
    // German letters, no English ones.
    EXPECT_TRUE(html.contains(QRegularExpression("class=\"move\">\\d+\\. [SLDT][a-h1-8x]")));
    const QRegularExpressionMatch english =
        QRegularExpression("class=\"move\">(\\d+\\.+ )?[NBQR][a-h1-8x].{0,20}").match(html);
    EXPECT_FALSE(english.hasMatch()) << english.captured(0).toStdString();
    EXPECT_GT(html.count("<svg"), 2);
    EXPECT_TRUE(html.contains("#7B3F7B", Qt::CaseInsensitive));
    EXPECT_EQ(messages.size(), 1);  // nothing went wrong
}
