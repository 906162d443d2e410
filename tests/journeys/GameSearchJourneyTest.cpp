// Searching the PGN viewer's game list through the real main window: typing
// narrows the list as it goes, choosing a row loads that game, ticks and the
// sort survive the search, the batch tool gets the ticked games shown, and
// clearing the field gives every game back with the hidden ticks.
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "batch/BatchSources.h"
#include "files/PGNRecord.h"
#include "tests/common/EditorFixture.h"
#include "viewers/GameListModel.h"
#include "viewers/ui/GameListView.h"
#include "viewers/ui/PgnViewer.h"

using namespace vorlix;
using vorlix::test::EditorFixture;

namespace {

const QString kGames = QStringLiteral(VORLIX_TEST_DATA_DIR "/Morphy_ANSI.pgn");

class GameSearchJourney : public EditorFixture {
protected:
    TPgnViewer& Viewer() { return dynamic_cast<TPgnViewer&>(window->PgnViewer()); }
    QString Tag(int game, TPGNTag tag) {
        const std::string_view text = Viewer().Games().Tag(game, tag);
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    // The games (file order) a plain reading of the tags keeps, in file order.
    std::vector<int> GamesWhere(const std::function<bool(int)>& keep) {
        std::vector<int> games;
        for (int game = 0; game < Viewer().Games().Count(); ++game)
            if (keep(game)) games.push_back(game);
        return games;
    }
    std::vector<int> ShownGames() {
        std::vector<int> games;
        for (int row = 0; row < Viewer().Model().rowCount(); ++row) games.push_back(Viewer().Model().GameOfRow(row));
        return games;
    }
    void Type(const QString& text) {
        QLineEdit* field = Viewer().findChild<QLineEdit*>("edtFilter");
        ASSERT_NE(field, nullptr);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }
};

}  // namespace

TEST_F(GameSearchJourney, TypedSearchNarrowsTheListKeepsTicksAndSortAndFeedsTheBatch) {
    StartEditor();
    window->OpenChessFile(kGames);
    TPgnViewer& viewer = Viewer();
    const int all = viewer.Games().Count();
    ASSERT_GT(all, 200);
    ASSERT_EQ(viewer.LoadedRow(), 0);

    // Typing narrows the list once typing pauses; the loaded game stays on the board.
    const std::vector<int> connel =
        GamesWhere([&](int g) { return Tag(g, TPGNTag::White).contains("connel", Qt::CaseInsensitive); });
    ASSERT_GE(connel.size(), 2u);
    Type("white:connel");
    QTRY_COMPARE(viewer.Model().rowCount(), static_cast<int>(connel.size()));
    EXPECT_EQ(ShownGames(), connel);
    EXPECT_EQ(viewer.lblFilterCount()->text(), QString("%1 of %2").arg(connel.size()).arg(all));
    EXPECT_EQ(viewer.LoadedRow(), -1);  // game 1 is not a Connel game and was not replaced
    EXPECT_EQ(viewer.LoadedGame().White, viewer.Games().Tag(0, TPGNTag::White));

    // A row of the narrowed list loads its own game.
    viewer.lvwPGN()->selectionModel()->setCurrentIndex(viewer.Model().index(1, gcNumber),
                                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(viewer.LoadedRow(), 1);
    EXPECT_EQ(viewer.LoadedGame().White, viewer.Games().Tag(connel[1], TPGNTag::White));
    EXPECT_EQ(viewer.LoadedGame().Date, viewer.Games().Tag(connel[1], TPGNTag::Date));
    viewer.Model().setData(viewer.Model().index(0, gcCheck), Qt::Checked, Qt::CheckStateRole);

    // Two words, both ranges: 1858 games of the C5x openings, sorted by ECO descending.
    const std::vector<int> italian = GamesWhere([&](int g) {
        const QString eco = Tag(g, TPGNTag::ECO);
        return Tag(g, TPGNTag::Date).startsWith("1858") && eco >= "C50" && eco <= "C59";
    });
    ASSERT_GE(italian.size(), 2u);
    Type("date:1858-1858 eco:c50-C59");
    viewer.ApplyFilter();  // as Enter does, without the pause
    EXPECT_EQ(viewer.Model().rowCount(), static_cast<int>(italian.size()));
    viewer.Model().Sort(gcECO, false);
    EXPECT_EQ(viewer.Model().rowCount(), static_cast<int>(italian.size()));
    for (int row = 1; row < viewer.Model().rowCount(); ++row)
        EXPECT_GE(Tag(viewer.Model().GameOfRow(row - 1), TPGNTag::ECO),
                  Tag(viewer.Model().GameOfRow(row), TPGNTag::ECO));
    EXPECT_EQ(viewer.CheckedGameCount(), 0);  // the Connel tick is hidden, not counted
    viewer.Model().CheckAll(true);

    // The batch tool reads the ticked games shown, in list order.
    const TPgnBatchSource source = viewer.BatchSource();
    ASSERT_EQ(source.CheckedGameCount(), static_cast<int>(italian.size()));
    for (int i = 0; i < source.CheckedGameCount(); ++i)
        EXPECT_EQ(source.GameNumber(i), viewer.Model().GameOfRow(i) + 1);

    // Clearing the field shows every game again, still sorted, with every tick.
    Type("");
    QTRY_COMPARE(viewer.Model().rowCount(), all);
    EXPECT_TRUE(viewer.lblFilterCount()->text().isEmpty());
    EXPECT_EQ(viewer.CheckedGameCount(), static_cast<int>(italian.size()) + 1);
    EXPECT_EQ(viewer.Model().SortColumn(), gcECO);
    EXPECT_TRUE(viewer.Model().Checked(viewer.Model().RowOfGame(connel[0])));
    EXPECT_EQ(viewer.LoadedRow(), viewer.Model().RowOfGame(connel[1]));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}
