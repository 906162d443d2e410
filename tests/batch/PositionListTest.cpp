#include <gtest/gtest.h>

#include "batch/PositionList.h"

namespace vorlix {
namespace {

std::vector<int> Expand(const std::string& text) {
    TIntegerList list;
    std::string error;
    EXPECT_TRUE(ParsePositionText(text, list, error)) << error;
    std::vector<int> numbers;
    for (const auto& r : list.Ranges())
        for (int64_t n = r.Lo; n <= r.Hi && numbers.size() < 2000; ++n) numbers.push_back(int(n));
    return numbers;
}

TEST(IntegerList, MergesTouchingAndOverlappingRangesAndStaysSorted) {
    TIntegerList list;
    list.AddUnique(7);
    list.AddRange(1, 3);
    list.AddRange(10, 12);
    list.AddUnique(4);     // touches 1-3
    list.AddRange(6, 11);  // joins 7 and 10-12
    using R = TIntegerList::TRange;
    EXPECT_EQ(list.Ranges(), (std::vector<R>{{1, 4}, {6, 12}}));
    EXPECT_TRUE(list.Contains(6));
    EXPECT_FALSE(list.Contains(5));
    EXPECT_EQ(list.Count(), 11);
    EXPECT_EQ(list.CountIn(4, 7), 3);
    list.AddUnique(5);
    EXPECT_EQ(list.Ranges(), (std::vector<R>{{1, 12}}));
}

TEST(IntegerList, HugeRangeIsTwoNumbers) {
    TIntegerList list;
    std::string error;
    ASSERT_TRUE(ParsePositionText("1-2000000000, 5", list, error));
    EXPECT_EQ(list.Ranges().size(), 1u);
    EXPECT_EQ(list.Count(), 2000000000);
    EXPECT_TRUE(list.Contains(1999999999));
    list.AddRange(INT32_MIN, INT32_MAX);
    EXPECT_EQ(list.Count(), int64_t(1) << 32);
}

TEST(PositionText, ExpansionOfTheFourForms) {
    EXPECT_EQ(Expand("1, 5-7,, 12"), (std::vector<int>{1, 5, 6, 7, 12}));
    EXPECT_EQ(Expand("-3"), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Expand("7-3"), (std::vector<int>{3, 4, 5, 6, 7}));
    const std::vector<int> open = Expand("40-");
    ASSERT_EQ(open.size(), 960u);
    EXPECT_EQ(open.front(), 40);
    EXPECT_EQ(open.back(), 999);
    EXPECT_TRUE(Expand("1500-").empty());
    // A second number of zeros passes the check and still reads as 0.
    EXPECT_EQ(Expand("3-0"), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(Expand("0-2"), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Expand("007"), (std::vector<int>{7}));
}

TEST(PositionText, InvalidTextsSelectNothing) {
    for (const char* text : {"0", "-", "--2", "3--", "2-3-4", "1-2-", "", " , ,", "-0", "00-", "1a", "5,x"}) {
        EXPECT_FALSE(IsValidPositionText(text)) << text;
        EXPECT_TRUE(Expand(text).empty()) << text;
    }
    for (const char* text : {"1", " 1 , 2 ", "5-", "5-0", "-7", "3-9", "0007", ",4,"})
        EXPECT_TRUE(IsValidPositionText(text)) << text;
}

TEST(PositionText, NumberBeyondThirtyTwoBitsIsAConversionError) {
    TIntegerList list;
    list.AddUnique(3);
    std::string error;
    EXPECT_FALSE(ParsePositionText("1, 2147483648", list, error));
    EXPECT_EQ(error, "'2147483648' is not a valid integer value");
    EXPECT_TRUE(list.Empty());
    EXPECT_TRUE(ParsePositionText("2147483647", list, error));
    EXPECT_TRUE(list.Contains(2147483647));
}

TEST(PositionText, KeyFilter) {
    EXPECT_EQ(FilterPositionKey(U'.'), U',');
    for (char32_t key : {U'0', U'9', U' ', U',', U'-', char32_t(8), char32_t(9)})
        EXPECT_EQ(FilterPositionKey(key), key);
    for (char32_t key : {U'a', U'+', U';', U'é'}) EXPECT_FALSE(FilterPositionKey(key));
}

TEST(PositionSelection, StartAndEndListsTogether) {
    TPositionSelection s;
    std::string error;
    ASSERT_TRUE(ParsePositionText("1", s.FromStart, error));
    ASSERT_TRUE(ParsePositionText("1", s.FromEnd, error));
    EXPECT_TRUE(s.IsPositionSelected(1, 41));
    EXPECT_TRUE(s.IsPositionSelected(41, 41));
    EXPECT_FALSE(s.IsPositionSelected(2, 41));
    EXPECT_EQ(s.SelectedPositionCount(41), 2);
    EXPECT_EQ(s.SelectedPositionCount(1), 1);  // a game of one position gives it once

    ASSERT_TRUE(ParsePositionText("-3", s.FromEnd, error));
    ASSERT_TRUE(ParsePositionText("", s.FromStart, error));
    EXPECT_EQ(s.SelectedPositionCount(10), 3);
    EXPECT_TRUE(s.IsPositionSelected(8, 10));
    EXPECT_FALSE(s.IsPositionSelected(7, 10));

    // Counting agrees with testing each position, also for huge and overlapping ranges.
    ASSERT_TRUE(ParsePositionText("2-5, 9, 40-", s.FromStart, error));
    ASSERT_TRUE(ParsePositionText("1-2000000000", s.FromEnd, error));
    for (int n : {0, 1, 3, 10, 60}) {
        int count = 0;
        for (int p = 1; p <= n; ++p) count += s.IsPositionSelected(p, n);
        EXPECT_EQ(s.SelectedPositionCount(n), count) << n;
    }
    ASSERT_TRUE(ParsePositionText("2, 4", s.FromEnd, error));
    for (int n : {1, 5, 9, 12}) {
        int count = 0;
        for (int p = 1; p <= n; ++p) count += s.IsPositionSelected(p, n);
        EXPECT_EQ(s.SelectedPositionCount(n), count) << n;
    }
}

}  // namespace
}  // namespace vorlix
