#include <gtest/gtest.h>

#include "files/TextEncoding.h"

using namespace vorlix;

TEST(TextEncoding, Utf8Validity) {
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("J\xC3\xBCrgen \xE2\x82\xAC \xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("J\xFCrgen"));
    EXPECT_FALSE(IsValidUtf8("\xC3"));          // cut short
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
    TUtf8Validator v;
    v.Feed("ab\xE2\x82");
    EXPECT_FALSE(v.Valid());  // open sequence
    v.Feed("\xAC");
    EXPECT_TRUE(v.Valid());
}

TEST(TextEncoding, Windows1252ToUtf8) {
    EXPECT_EQ(Cp1252ToUtf8("a\xE9\x80\x9F"), "a\xC3\xA9\xE2\x82\xAC\xC5\xB8");
    EXPECT_EQ(Utf8Prefix("\xC3\xA9\xC3\xA9x", 2), "\xC3\xA9\xC3\xA9");
    EXPECT_EQ(Utf8Prefix("abc", 9), "abc");
}
