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
    uint64_t LineOffset() const { return LineOffset_; }
    // A zero byte has ended one of the lines read so far (the text may be binary).
    bool SawZeroByte() const { return SawZeroByte_; }

private:
    void Fill();

    TFileInput& Input_;
    std::vector<char> Buf_;
    uint64_t BufOffset_ = 0;  // offset of Buf_[0]
    uint64_t LineOffset_ = 0;
    size_t Begin_ = 0;
    size_t End_ = 0;
    size_t Scanned_ = 0;  // bytes before this index hold no line end of the current line
    bool Eof_ = false;
    bool SkipLf_ = false;  // the last line ended with CR: an LF right after it belongs to it
    bool SawZeroByte_ = false;
};

}  // namespace vorlix
