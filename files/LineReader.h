#pragma once
// Splits a text file into lines, reading it in large blocks. A leading UTF-8
// byte-order mark is skipped. Files with a CR among their first 200 bytes end
// lines at CR LF, CR or LF; all others at LF or a zero byte.
#include <string_view>
#include <vector>

#include "files/FileInput.h"

namespace vorlix {

class TLineReader {
public:
    explicit TLineReader(TFileInput& input);
    // Reads only `length` bytes from `offset` on, splitting lines as a reader of
    // the whole file did (crMode as its CrMode()): for reading one part again.
    TLineReader(TFileInput& input, unsigned long long offset, unsigned long long length, bool crMode);
    // The next line without its terminator; valid until the next call. False at the end.
    bool Next(std::string_view& line);
    // The file offset of the line Next returned last.
    unsigned long long LineOffset() const { return LineOffset_; }
    bool CrMode() const { return CrMode_; }

private:
    bool Fill();  // false when nothing more could be read
    bool FindLineEnd(size_t& end, size_t& next) const;

    TFileInput& Input_;
    std::vector<char> Buf_;
    unsigned long long BufOffset_ = 0;   // file offset of Buf_[0]
    unsigned long long LineOffset_ = 0;
    unsigned long long Left_ = ~0ULL;    // bytes still to be read
    size_t Begin_ = 0;
    size_t End_ = 0;
    bool Eof_ = false;
    bool CrMode_ = false;
    bool HasNul_ = false;   // the buffered text holds a zero byte
};

}  // namespace vorlix
