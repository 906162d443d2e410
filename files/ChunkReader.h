#pragma once
// Splits a file into chunks that each end with ";" outside double quotes or
// with a line end (CR or LF; the last chunk may end with the file instead),
// reading in large blocks. A leading UTF-8 byte-order mark is skipped.
#include <string_view>
#include <vector>

#include "files/FileInput.h"

namespace vorlix {

// The quoting of EPD operands: a double quote at the start or after a blank
// opens a string ("c0 \"a; b\""), the next double quote closes it. A quote
// inside a word (a mistyped move) opens nothing.
class TEpdQuoting {
public:
    // Feeds the character at text[i]; true while inside a string afterwards.
    bool Feed(const char* text, size_t i) {
        if (text[i] == '"' && (open_ || i == 0 || text[i - 1] == ' ' || text[i - 1] == '\t')) open_ = !open_;
        return open_;
    }
    bool Open() const { return open_; }

private:
    bool open_ = false;
};

class TChunkReader {
public:
    // Chunks longer than maxLength are not collected whole: Next reports them as too long.
    TChunkReader(TFileInput& input, size_t maxLength);
    // The next chunk, valid until the next call; false at the end of the file.
    bool Next(std::string_view& chunk, bool& tooLong);
    // The file began with a UTF-8 byte-order mark, which no chunk holds.
    bool SkippedBom() const { return skippedBom_; }

private:
    void Fill();

    TFileInput& input_;
    size_t maxLength_;
    std::vector<char> buf_;
    size_t begin_ = 0;
    size_t end_ = 0;
    bool eof_ = false;
    bool skippedBom_ = false;
};

}  // namespace vorlix
