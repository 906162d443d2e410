#pragma once
// Splits a text file into lines, reading it in large blocks. A leading UTF-8
// byte-order mark is skipped. CR LF, CR, LF and a zero byte each end a line,
// anywhere in the file.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "files/FileInput.h"

namespace vorlix {

// Bytes that may be read past the end of a line without leaving its buffer.
inline constexpr size_t kLineSlack = 16;

class TLineReader {
public:
    explicit TLineReader(TFileInput& input);
    // The next line without its terminator; valid until the next call. False at the end.
    // At least kLineSlack readable bytes follow it in memory.
    bool Next(std::string_view& line);
    // Where the line Next returned last starts, counted from the input's first byte.
    uint64_t LineOffset() const { return lineOffset_; }
    // A zero byte has ended one of the lines read so far (the text may be binary).
    bool SawZeroByte() const { return sawZeroByte_; }

private:
    void Fill();

    TFileInput& input_;
    std::vector<char> buf_;
    uint64_t bufOffset_ = 0;  // offset of buf_[0]
    uint64_t lineOffset_ = 0;
    size_t begin_ = 0;
    size_t end_ = 0;
    size_t scanned_ = 0;  // bytes before this index hold no line end of the current line
    bool eof_ = false;
    bool skipLf_ = false;  // the last line ended with CR: an LF right after it belongs to it
    bool sawZeroByte_ = false;
};

}  // namespace vorlix
