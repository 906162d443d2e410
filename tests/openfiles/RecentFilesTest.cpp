#include <gtest/gtest.h>

#include "settings/RecentFiles.h"

using namespace vorlix;

namespace {

QStringList Paths(const QString& prefix, int count) {
    QStringList list;
    for (int i = 0; i < count; ++i) list << QString("/data/%1%2").arg(prefix).arg(i);
    return list;
}

}  // namespace

TEST(RecentFilesTest, AddingAKnownPathMovesItToTheTopIgnoringCase) {
    QStringList list{"/a/one.pgn", "/a/two.pgn", "/a/three.pgn"};
    AddRecentFile(list, "/A/TWO.PGN", 5);
    EXPECT_EQ(list, (QStringList{"/a/two.pgn", "/a/one.pgn", "/a/three.pgn"}));
    AddRecentFile(list, "/a/two.pgn", 5);
    EXPECT_EQ(list.size(), 3);
    EXPECT_EQ(list.first(), "/a/two.pgn");
}

TEST(RecentFilesTest, AFullListDropsItsOldestEntry) {
    QStringList diagrams = Paths("d", 6);
    AddRecentFile(diagrams, "/data/seventh.vxd", 6);
    ASSERT_EQ(diagrams.size(), 6);
    EXPECT_EQ(diagrams.first(), "/data/seventh.vxd");
    EXPECT_FALSE(diagrams.contains("/data/d5"));
    EXPECT_TRUE(diagrams.contains("/data/d4"));

    QStringList games = Paths("p", 5);
    AddRecentFile(games, "/data/sixth.pgn", 5);
    EXPECT_EQ(games.size(), 5);
    EXPECT_FALSE(games.contains("/data/p4"));
}

TEST(RecentFilesTest, RemovingTakesOnlyTheFirstEqualEntry) {
    QStringList list{"/x/a.epd", "/x/b.epd", "/X/A.EPD"};
    RemoveRecentFile(list, "/x/A.epd");
    EXPECT_EQ(list, (QStringList{"/x/b.epd", "/X/A.EPD"}));
    RemoveRecentFile(list, "/x/none.epd");
    EXPECT_EQ(list.size(), 2);
}

TEST(RecentFilesTest, ReopenLabelsRunThroughAllThreeListsWithSeparators) {
    const auto entries = ReopenEntries(Paths("d", 6), Paths("p", 5), Paths("e", 5));
    QStringList labels;
    int separators = 0;
    for (const TReopenEntry& entry : entries) {
        if (entry.Separator) {
            ++separators;
            continue;
        }
        labels << entry.Caption.mid(1, 1);
        EXPECT_EQ(PathOfReopenCaption(entry.Caption), entry.Path);
    }
    EXPECT_EQ(labels.join(""), "0123456789ABCDEF");
    EXPECT_EQ(separators, 2);
    EXPECT_EQ(entries[0].Caption, "&0  /data/d0");
    EXPECT_EQ(entries[0].Hint, "Open the chess diagram /data/d0");
    EXPECT_TRUE(entries[6].Separator);
    EXPECT_EQ(entries[7].Hint, "Open the pgn file /data/p0");
    EXPECT_EQ(entries.back().Caption, "&F  /data/e4");
    EXPECT_EQ(entries.back().Hint, "Open the epd file /data/e4");
}

TEST(RecentFilesTest, SeparatorsOnlyBetweenNonEmptyGroups) {
    auto count = [](const std::vector<TReopenEntry>& entries) {
        return std::count_if(entries.begin(), entries.end(), [](const TReopenEntry& e) { return e.Separator; });
    };
    EXPECT_EQ(count(ReopenEntries({"/d.vxd"}, {}, {"/e.epd"})), 1);
    EXPECT_EQ(count(ReopenEntries({}, {"/p.pgn"}, {})), 0);
    EXPECT_EQ(count(ReopenEntries({"/d.vxd"}, {}, {})), 0);
    EXPECT_TRUE(ReopenEntries({}, {}, {}).empty());
}
