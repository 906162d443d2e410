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
        if (text[i] == '"' && (Open_ || i == 0 || text[i - 1] == ' ' || text[i - 1] == '\t')) Open_ = !Open_;
        return Open_;
    }
    bool Open() const { return Open_; }

private:
    bool Open_ = false;
};

class TChunkReader {
public:
    // Chunks longer than maxLength are not collected whole: Next reports them as too long.
    TChunkReader(TFileInput& input, size_t maxLength);
    // The next chunk, valid until the next call; false at the end of the file.
    bool Next(std::string_view& chunk, bool& tooLong);
    // The file began with a UTF-8 byte-order mark, which no chunk holds.
    bool SkippedBom() const { return SkippedBom_; }

private:
    void Fill();

    TFileInput& Input_;
    size_t MaxLength_;
    std::vector<char> Buf_;
    size_t Begin_ = 0;
    size_t End_ = 0;
    bool Eof_ = false;
    bool SkippedBom_ = false;
};

}  // namespace vorlix
