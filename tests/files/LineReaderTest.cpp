// Lines of every length around the sixteen-byte steps of the line search,
// with every kind of line end, with and without one after the last line, and
// at the end of a large read block.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFiles.h"
#include "files/FileInput.h"
#include "files/LineReader.h"

using namespace vorlix;

namespace {

std::vector<std::string> ReadLines(const std::string& path) {
    TFileInput input(path);
    TLineReader reader(input);
    std::vector<std::string> lines;
    for (std::string_view line; reader.Next(line);) lines.emplace_back(line);
    return lines;
}

}  // namespace

TEST(LineReader, LinesOfEveryLengthAndEnd) {
    TTempDir dir;
    for (const std::string& end : {std::string("\n"), std::string("\r"), std::string("\r\n"), std::string(1, '\0')}) {
        for (size_t last = 0; last < 40; ++last) {
            std::vector<std::string> expected;
            std::string text;
            for (size_t n = 0; n < 40; ++n) {
                expected.push_back(std::string(n, 'a') + "\t" + std::string(n % 7, 'b'));
                text += expected.back() + end;
            }
            // The last line ends at the file's end, a few bytes after a line end.
            if (last > 0) {
                expected.push_back(std::string(last, 'z'));
                text += expected.back();
            }
            EXPECT_EQ(ReadLines(dir.Write("lines.txt", text)), expected) << last << " " << int(end[0]);
        }
    }
}

TEST(LineReader, LongLineAcrossBlocksAndLastByteALineEnd) {
    TTempDir dir;
    for (const size_t size : {size_t{1} << 18, (size_t{1} << 18) + 5, (size_t{1} << 19) + 17}) {
        const std::string first(size - 7, 'x');
        const std::vector<std::string> lines = ReadLines(dir.Write("long.txt", first + "\r\nabcd\r"));
        ASSERT_EQ(lines.size(), 2u) << size;
        EXPECT_EQ(lines[0], first);
        EXPECT_EQ(lines[1], "abcd");
    }
}
