#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/PackedColumn.h"
#include "files/StringPool.h"

using namespace vorlix;

TEST(StringPool, EachTextOnceWithIdsInOrderOfFirstUse) {
    TStringPool pool;
    EXPECT_EQ(pool.Intern("Prague"), 0u);
    EXPECT_EQ(pool.Intern(""), 1u);
    EXPECT_EQ(pool.Intern("prague"), 2u);  // case matters
    EXPECT_EQ(pool.Intern("Prague"), 0u);
    EXPECT_EQ(pool.Intern(std::string("\0x", 2)), 3u);
    EXPECT_EQ(pool.Count(), 4u);
    EXPECT_EQ(pool.Text(1), "");
    EXPECT_EQ(pool.Text(3), std::string("\0x", 2));

    // Many texts (the table grows several times), one longer than a block, then
    // sealed: every id still names its text, and interning goes on afterwards.
    const std::string huge(200000, 'h');
    for (int i = 0; i < 20000; ++i) EXPECT_EQ(pool.Intern("player " + std::to_string(i)), 4u + i);
    const uint32_t hugeId = pool.Intern(huge);
    pool.Seal();
    for (int i = 0; i < 20000; i += 997) EXPECT_EQ(pool.Text(4u + i), "player " + std::to_string(i));
    EXPECT_EQ(pool.Text(hugeId), huge);
    EXPECT_EQ(pool.Intern("player 19999"), 4u + 19999);
    EXPECT_EQ(pool.Intern("after"), hugeId + 1);
    EXPECT_GT(pool.MemoryUsed(), huge.size());

    pool.Clear();
    EXPECT_EQ(pool.Count(), 0u);
    EXPECT_EQ(pool.Intern("again"), 0u);
}

TEST(PackedColumn, WidensAsValuesGrowAndKeepsEveryValue) {
    TPackedColumn column;
    std::vector<uint64_t> expected;
    // Small values over several pages first, then ever wider ones.
    for (uint64_t i = 0; i < 40000; ++i) expected.push_back(i % 200);
    expected.push_back(300);
    for (uint64_t i = 0; i < 1000; ++i) expected.push_back(70000 + i);
    expected.push_back(uint64_t{5} << 40);
    expected.push_back(7);
    for (size_t i = 0; i < expected.size(); ++i) {
        column.Push(expected[i]);
        if (expected[i] == 300) {
            EXPECT_EQ(column.Width(), 2);
        }
    }
    EXPECT_EQ(column.Width(), 8);
    ASSERT_EQ(column.Size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(column.Get(i), expected[i]) << i;

    TPackedColumn bytes;
    for (int i = 0; i < 100000; ++i) bytes.Push(static_cast<uint64_t>(i & 0xFF));
    EXPECT_EQ(bytes.Width(), 1);
    EXPECT_LT(bytes.MemoryUsed(), 2 * 100000u);
    bytes.Clear();
    EXPECT_EQ(bytes.Size(), 0u);
}
