#include "files/ChunkReader.h"

#include <cstring>

#include "files/TextEncoding.h"

namespace vorlix {

namespace {

// Length of the chunk at the start of text, terminator included; 0 when text
// holds no terminator. A ";" inside double quotes (a comment operand) does not
// end a chunk; a line end always does.
size_t ChunkLength(const char* text, size_t size) {
    TEpdQuoting quoting;
    for (size_t i = 0; i < size; ++i) {
        const char c = text[i];
        if (c == '\n' || c == '\r') return i + 1;
        if (!quoting.Feed(text, i) && c == ';') return i + 1;
    }
    return 0;
}

}  // namespace

TChunkReader::TChunkReader(TFileInput& input, size_t maxLength)
    : input_(input), maxLength_(maxLength), buf_(std::max<size_t>(1 << 16, 2 * maxLength + 2)) {
    while (!eof_ && end_ < kUtf8Bom.size()) Fill();
    if (std::string_view(buf_.data(), end_).substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        begin_ = kUtf8Bom.size();
        skippedBom_ = true;
    }
}

void TChunkReader::Fill() {
    if (begin_ > 0) {
        std::memmove(buf_.data(), buf_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    const size_t n = input_.Read(buf_.data() + end_, buf_.size() - end_);
    if (n == 0) eof_ = true;
    end_ += n;
}

bool TChunkReader::Next(std::string_view& chunk, bool& tooLong) {
    tooLong = false;
    for (;;) {
        const char* start = buf_.data() + begin_;
        const size_t avail = end_ - begin_;
        if (const size_t length = ChunkLength(start, std::min(avail, maxLength_ + 1))) {
            tooLong = length > maxLength_;
            chunk = std::string_view(start, length);
            begin_ += length;
            return true;
        }
        if (avail > maxLength_ || eof_) {
            if (avail == 0) return false;
            tooLong = avail > maxLength_;
            chunk = std::string_view(start, std::min(avail, maxLength_ + 1));
            begin_ += chunk.size();
            return true;
        }
        Fill();
    }
}

}  // namespace vorlix
