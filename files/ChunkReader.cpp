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
    : Input_(input), MaxLength_(maxLength), Buf_(std::max<size_t>(1 << 16, 2 * maxLength + 2)) {
    while (!Eof_ && End_ < kUtf8Bom.size()) Fill();
    if (std::string_view(Buf_.data(), End_).substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        Begin_ = kUtf8Bom.size();
        SkippedBom_ = true;
    }
}

void TChunkReader::Fill() {
    if (Begin_ > 0) {
        std::memmove(Buf_.data(), Buf_.data() + Begin_, End_ - Begin_);
        End_ -= Begin_;
        Begin_ = 0;
    }
    const size_t n = Input_.Read(Buf_.data() + End_, Buf_.size() - End_);
    if (n == 0) Eof_ = true;
    End_ += n;
}

bool TChunkReader::Next(std::string_view& chunk, bool& tooLong) {
    tooLong = false;
    for (;;) {
        const char* start = Buf_.data() + Begin_;
        const size_t avail = End_ - Begin_;
        if (const size_t length = ChunkLength(start, std::min(avail, MaxLength_ + 1))) {
            tooLong = length > MaxLength_;
            chunk = std::string_view(start, length);
            Begin_ += length;
            return true;
        }
        if (avail > MaxLength_ || Eof_) {
            if (avail == 0) return false;
            tooLong = avail > MaxLength_;
            chunk = std::string_view(start, std::min(avail, MaxLength_ + 1));
            Begin_ += chunk.size();
            return true;
        }
        Fill();
    }
}

}  // namespace vorlix
