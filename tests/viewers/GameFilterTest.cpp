#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "files/ErrorReporter.h"
#include "viewers/GameFilter.h"
#include "viewers/GameListModel.h"

using namespace vorlix;

namespace {

// The game's tags as the filter sees them, one per searched tag.
struct TTags {
    const char *White, *Black, *Event, *Site, *Date, *Round, *Result, *ECO;
};

bool Passes(std::string_view query, const TTags& t) {
    const TGameFilter filter = ParseGameFilter(query);
    const std::pair<TPGNTag, const char*> tags[] = {
        {TPGNTag::White, t.White}, {TPGNTag::Black, t.Black}, {TPGNTag::Event, t.Event},   {TPGNTag::Site, t.Site},
        {TPGNTag::Date, t.Date},   {TPGNTag::Round, t.Round}, {TPGNTag::Result, t.Result}, {TPGNTag::ECO, t.ECO}};
    for (const TFilterTerm& term : filter.Terms) {
        bool found = false;
        for (const auto& [tag, value] : tags)
            found = found || ((term.Tags >> static_cast<int>(tag) & 1) && TermMatches(term, value));
        if (!found) return false;
    }
    return true;
}

const TTags kGame = {
    "Kasparov, Garry", "Topalov, Veselin", "Hoogovens", "Wijk aan Zee NED", "1999.01.20", "4", "1-0", "B07"};
const TTags kUmlaut = {
    "Hübner, Robert", "Ökvist, Lars", "Bundesliga 1990/91", "Köln", "1990.??.??", "?", "1/2-1/2", ""};

TEST(GameFilter, QueriesOnTheTagsOfOneGame) {
    struct TCase {
        const char* Query;
        const TTags& Game;
        bool Kept;
    } cases[] = {
        {"", kGame, true},
        {"   ", kGame, true},
        {"kasparov", kGame, true},
        {"KASPAROV topalov", kGame, true},  // every word, any case
        {"kasparov karpov", kGame, false},  // one word missing drops the game
        {"wijk", kGame, true},
        {"hoogovens 1999 B07 1-0", kGame, true},
        {"white:kasparov", kGame, true},
        {"black:kasparov", kGame, false},
        {"White:Kasp event:hoog", kGame, true},
        {"result:1-0", kGame, true},
        {"result:0-1", kGame, false},
        {"round:4", kGame, true},
        {"site:\"aan zee\"", kGame, true},  // quotes keep the space
        {"\"zee ned\" kasparov", kGame, true},
        {"\"aan ned\"", kGame, false},
        {"white:", kGame, true},            // a prefix still being typed narrows nothing
        {"nosuch:kasparov", kGame, false},  // not a tag: the word is searched as it stands
        {"eco:B00-B09", kGame, true},
        {"eco:b07-b07", kGame, true},
        {"eco:B08-B99", kGame, false},
        {"eco:A00-B06", kGame, false},
        {"eco:B", kGame, true},
        {"eco:-B10", kGame, true},  // an open lower bound
        {"eco:C00-", kGame, false},
        {"date:1990-1999", kGame, true},  // the bound's length decides: all of 1999 is in
        {"date:1999.02-2005", kGame, false},
        {"date:1999.01-1999.01", kGame, true},
        {"date:2000-2009", kGame, false},
        {"date:1990-1999", kUmlaut, true},
        {"date:1991-", kUmlaut, false},
        {"date:19-19", kUmlaut, true},
        {"eco:A00-E99", kUmlaut, false},      // no ECO is in no range
        {"white:Smith-Jones", kGame, false},  // a dash in a name is no range
        {"hübner", kUmlaut, true},
        {"HÜBNER ökvist", kUmlaut, true},  // case beyond ASCII
        {"site:KÖLN", kUmlaut, true},
        {"1/2", kUmlaut, true},
        {"1/2", kGame, false},
    };
    for (const TCase& c : cases) EXPECT_EQ(Passes(c.Query, c.Game), c.Kept) << c.Query;
}

class GameListFilter : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const std::string path = dir.filePath("games.pgn").toStdString();
        std::ofstream out(path, std::ios::binary);
        const char* games[][4] = {{"Zeta", "Alpha", "1995.05.01", "B90"},
                                  {"Alpha", "Beta", "1985.01.01", "C42"},
                                  {"Gamma", "Zeta", "1998.07.07", "B95"},
                                  {"Beta", "Delta", "1993.03.03", "B99"}};
        for (const auto& g : games)
            out << "[Event \"Open\"]\n[Site \"Here\"]\n[Date \"" << g[2] << "\"]\n[Round \"1\"]\n[White \"" << g[0]
                << "\"]\n[Black \"" << g[1] << "\"]\n[Result \"*\"]\n[ECO \"" << g[3] << "\"]\n\n1. e4 *\n\n";
        out.close();
        TSilentReporter silent;
        ASSERT_TRUE(index.LoadFromFile(path, silent));
        ASSERT_EQ(index.Count(), 4);
        model.SetGames(&index);
    }
    std::vector<int> Rows() {
        std::vector<int> games;
        for (int row = 0; row < model.rowCount(); ++row) games.push_back(model.GameOfRow(row));
        return games;
    }

    QTemporaryDir dir;
    TPGNIndex index;
    TGameListModel model;
};

TEST_F(GameListFilter, KeepsTheSortAndTheTicksAndTicksOnlyWhatIsShown) {
    EXPECT_EQ(FilterGames(index, ParseGameFilter("zeta eco:B90-B95")), (std::vector<uint8_t>{1, 0, 1, 0}));

    model.Sort(gcFirstTag, true);  // by White: Alpha, Beta, Gamma, Zeta
    EXPECT_EQ(Rows(), (std::vector<int>{1, 3, 2, 0}));
    model.SetChecked(0, true);  // game 1, soon hidden

    model.SetFilter(ParseGameFilter("date:1990-1999"));
    EXPECT_EQ(Rows(), (std::vector<int>{3, 2, 0}));
    EXPECT_EQ(model.CheckedCount(), 0);
    model.CheckAll(true);
    EXPECT_EQ(model.CheckedGames(), (std::vector<int>{3, 2, 0}));  // the hidden game stays out

    model.Sort(gcFirstTag, false);  // sorting under a filter keeps the filter
    EXPECT_EQ(Rows(), (std::vector<int>{0, 2, 3}));
    model.SetChecked(1, false);
    model.InvertChecks();  // only the games shown
    EXPECT_EQ(model.CheckedGames(), (std::vector<int>{2}));

    model.SetFilter(ParseGameFilter("  "));
    EXPECT_EQ(Rows(), (std::vector<int>{0, 2, 3, 1}));
    EXPECT_EQ(model.CheckedGames(), (std::vector<int>{2, 1}));  // the hidden tick came back
    EXPECT_EQ(model.CheckedCount(), 2);
    EXPECT_EQ(model.RowOfGame(1), 3);

    model.SetFilter(ParseGameFilter("nobody"));
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.RowOfGame(1), -1);
    EXPECT_EQ(model.NextChecked(0), -1);
}

}  // namespace
