#pragma once
// Splits a text file into lines, reading it in large blocks. A leading UTF-8
// byte-order mark is skipped. CR LF, CR, LF and a zero byte each end a line,
// anywhere in the file.
#include <string_view>
#include <vector>

#include "files/FileInput.h"

namespace vorlix {

class TLineReader {
public:
    explicit TLineReader(TFileInput& input);
    // Reads only `length` bytes from `offset` on (for reading one part of a
    // file again, from the start of one of its lines).
    TLineReader(TFileInput& input, unsigned long long offset, unsigned long long length);
    // The next line without its terminator; valid until the next call. False at the end.
    bool Next(std::string_view& line);
    // The file offset of the line Next returned last.
    unsigned long long LineOffset() const { return LineOffset_; }
    // A zero byte has ended one of the lines read so far (the text may be binary).
    bool SawZeroByte() const { return SawZeroByte_; }

private:
    void Fill();

    TFileInput& Input_;
    std::vector<char> Buf_;
    unsigned long long BufOffset_ = 0;  // file offset of Buf_[0]
    unsigned long long LineOffset_ = 0;
    unsigned long long Left_ = ~0ULL;   // bytes still to be read
    size_t Begin_ = 0;
    size_t End_ = 0;
    size_t Scanned_ = 0;  // bytes before this index hold no line end of the current line
    bool Eof_ = false;
    bool SkipLf_ = false;  // the last line ended with CR: an LF right after it belongs to it
    bool SawZeroByte_ = false;
};

}  // namespace vorlix
