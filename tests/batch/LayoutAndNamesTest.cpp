#include <gtest/gtest.h>

#include <set>

#include "batch/BatchFileName.h"
#include "print/PageLayout.h"

namespace vorlix {
namespace {

TEST(PageGrid, ColumnsAndGapsOfTheExamples) {
    TPageGrid g = ComputePageGridForSize(2400, 3000, 1.0f, 600, 600);
    EXPECT_TRUE(g.Fits);
    EXPECT_FALSE(g.SingleColumn);
    EXPECT_EQ(g.ColumnGap, 260);
    g = ComputePageGridForSize(2400, 3000, 1.0f, 770, 600);
    EXPECT_EQ(g.ColumnGap, 780);  // three columns leave 5 pixels; two leave 780
    EXPECT_FALSE(g.SingleColumn);
}

TEST(PageGrid, SizesRoundUpAtTheScale) {
    const TPageGrid g = ComputePageGridForSize(4800, 6600, 2.0f, 301, 301);
    EXPECT_EQ(g.DiagramWidth, 602);
    EXPECT_EQ(g.DiagramHeight, 602);
    EXPECT_EQ(ComputePageGridForSize(4800, 6600, 1.25f, 301, 303).DiagramWidth, 377);  // 376.25
}

TEST(PageGrid, FitsUpToTheMargins) {
    EXPECT_TRUE(ComputePageGridForSize(1000, 2000, 1.0f, 920, 100).Fits);
    EXPECT_FALSE(ComputePageGridForSize(1000, 2000, 1.0f, 921, 100).Fits);
    EXPECT_TRUE(ComputePageGridForSize(2000, 1000, 1.0f, 100, 880).Fits);
    EXPECT_FALSE(ComputePageGridForSize(2000, 1000, 1.0f, 100, 881).Fits);
}

TEST(PageGrid, GapThresholdsAreFortyAcrossAndSixtyDown) {
    // Two across with 40 left over: the gap is accepted across...
    TPageGrid g = ComputePageGridForSize(80 + 2 * 500 + 40, 120 + 2 * 500 + 40, 1.0f, 500, 500);
    EXPECT_FALSE(g.SingleColumn);
    EXPECT_EQ(g.ColumnGap, 40);
    // ...but not down, where 60 are needed.
    EXPECT_TRUE(g.SingleRow);
    g = ComputePageGridForSize(80 + 2 * 500 + 39, 120 + 2 * 500 + 60, 1.0f, 500, 500);
    EXPECT_TRUE(g.SingleColumn);
    EXPECT_FALSE(g.SingleRow);
    EXPECT_EQ(g.RowGap, 60);
}

TEST(PagePlacement, RowsThenPages) {
    // Page for 3 x 2 diagrams of 600 x 800.
    const TPageGrid g = ComputePageGridForSize(2400, 120 + 1600 + 100, 1.0f, 600, 800);
    ASSERT_FALSE(g.SingleColumn);
    ASSERT_FALSE(g.SingleRow);
    TPagePlacement p(g);
    std::vector<QRect> rects;
    while (auto r = p.Place()) rects.push_back(*r);
    ASSERT_EQ(rects.size(), 6u);
    EXPECT_EQ(rects[0], QRect(40, 60, 600, 800));
    EXPECT_EQ(rects[1].left(), 40 + 600 + g.ColumnGap);
    EXPECT_EQ(rects[3].topLeft(), QPoint(40, 60 + 800 + g.RowGap));
    EXPECT_TRUE(p.PageFull());
    p.StartPage();
    EXPECT_EQ(p.Place(), QRect(40, 60, 600, 800));
}

TEST(PagePlacement, SingleColumnAndSingleRow) {
    const TPageGrid column = ComputePageGridForSize(2400, 3000, 1.0f, 1200, 400);
    ASSERT_TRUE(column.SingleColumn);
    TPagePlacement p(column);
    EXPECT_EQ(p.Place()->topLeft(), QPoint(40, 60));
    EXPECT_EQ(p.Place()->topLeft(), QPoint(40, 60 + 400 + column.RowGap));

    const TPageGrid row = ComputePageGridForSize(2400, 1000, 1.0f, 500, 500);
    ASSERT_TRUE(row.SingleRow);
    TPagePlacement q(row);
    int placed = 0;
    while (q.Place()) ++placed;
    EXPECT_EQ(placed, 4);  // one row of four
    EXPECT_EQ(OnePerJobRect(row), QRect(40, 60, 500, 500));
}

TEST(PageGrid, HeaderAndFooterAddTheirTextHeight) {
    THeaderFooterInfo header, footer;
    header.Enabled = true;
    const int h = HeaderFooterHeight(header);
    EXPECT_GT(h, 8);
    const TPageGrid g = ComputePageGrid(2400, 3000, 2.0f, 300, 300, header, footer);
    EXPECT_EQ(g.DiagramHeight, 2 * (300 + h + 4));
    footer.Enabled = true;
    footer.Font.Size = 24;
    EXPECT_GT(HeaderFooterHeight(footer), h);
}

TEST(BatchFileNames, SplittingAndNumbering) {
    const TChosenName name = SplitChosenName("/out/dir.x/Cap.gif", true);
    EXPECT_EQ(name.Path, "/out/dir.x/");
    EXPECT_EQ(name.Stem, "Cap");
    EXPECT_EQ(name.Extension, ".GIF");
    EXPECT_EQ(SplitChosenName("Pos.gif", false).Extension, ".gif");
    EXPECT_EQ(BatchFileName("", "Pos", 7, 3, ".gif"), "Pos007.gif");
    EXPECT_EQ(BatchFileName("", "Pos", 7, 5, ".gif"), "Pos00007.gif");
    EXPECT_EQ(BatchFileName("", "Pos", 1234, 3, ".gif"), "Pos1234.gif");  // widened, not cut

    EXPECT_EQ(PgnBatchFileName(name, TPositionMode::Entire, true, 2, 3), "/out/dir.x/Cap00503.GIF");
    EXPECT_EQ(PgnBatchFileName(name, TPositionMode::Fixed, true, 3, 1), "/out/dir.x/Cap0021.GIF");
    EXPECT_EQ(PgnBatchFileName(name, TPositionMode::Fixed, false, 3, 2), "/out/dir.x/Cap01002.GIF");
    EXPECT_EQ(PgnBatchFileName(name, TPositionMode::Entire, true, 1, 501), "/out/dir.x/Cap00500_001.GIF");
    EXPECT_EQ(PgnBatchFileName(name, TPositionMode::Entire, true, 1001, 1), "/out/dir.x/Cap500001.GIF");
    EXPECT_EQ(EpdBatchFileName(SplitChosenName("/o/Pos.gif", false), 5), "/o/Pos005.gif");
    EXPECT_EQ(EpdBatchFileName(SplitChosenName("/o/Pos.gif", false), 1000), "/o/Pos1000.gif");
}

TEST(BatchFileNames, NoTwoDiagramsOfARunShareAName) {
    const TChosenName name = SplitChosenName("Cap.gif", true);
    for (TPositionMode mode : {TPositionMode::Entire, TPositionMode::Fixed}) {
        std::set<QString> names;
        int count = 0;
        for (int game = 1; game <= 1200; game += (game < 5 ? 1 : 199))
            for (int pos = 1; pos <= (mode == TPositionMode::Fixed ? 2 : 1100); ++pos, ++count)
                names.insert(PgnBatchFileName(name, mode, true, game, pos));
        EXPECT_EQ(int(names.size()), count);
    }
    std::set<QString> epd;
    for (int n = 1; n <= 1500; ++n) epd.insert(EpdBatchFileName(name, n));
    EXPECT_EQ(epd.size(), 1500u);
}

}  // namespace
}  // namespace vorlix
