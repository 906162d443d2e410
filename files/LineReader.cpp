#include "files/LineReader.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "files/TextEncoding.h"

namespace vorlix {

namespace {

// Small enough that a block read stays in the processor cache while it is split.
constexpr size_t kBlockSize = 256 << 10;
// Bytes kept after the text in the buffer, so that a line end can be looked
// for sixteen bytes at a time up to the last byte read, and a line read so.
constexpr size_t kSlack = kLineSlack;

#if defined(__SSE2__)

// The line ends among the sixteen bytes at p, one bit each.
unsigned LineEndsIn16(const char* p) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i ends =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\n')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\r'))),
                     _mm_cmpeq_epi8(v, _mm_setzero_si128()));
    return static_cast<unsigned>(_mm_movemask_epi8(ends));
}

// The first line end in [from, to); `to` when there is none. Sixteen bytes
// are looked at a time, whichever line ends the file uses; the last few too,
// as the buffer has room to read past `to` (the bytes there are ignored).
const char* FindLineEnd(const char* from, const char* to) {
    const char* p = from;
    for (; to - p >= 16; p += 16)
        if (const unsigned mask = LineEndsIn16(p)) return p + __builtin_ctz(mask);
    if (p < to)
        if (const unsigned mask = LineEndsIn16(p) & ((1u << (to - p)) - 1)) return p + __builtin_ctz(mask);
    return to;
}

#else

bool IsLineEnd(char c) { return c == '\n' || c == '\r' || c == '\0'; }

// True when one of the eight bytes of the word is below 14 (where CR, LF and
// the zero byte are).
bool HasByteBelow14(uint64_t word) {
    constexpr uint64_t kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
    return ((word - 14 * kOnes) & ~word & kHigh) != 0;
}

// The first line end in [from, to); `to` when there is none. Words holding
// no byte below 14 are passed over eight bytes at a time.
const char* FindLineEnd(const char* from, const char* to) {
    const char* p = from;
    for (;;) {
        for (uint64_t word; to - p >= 8; p += 8) {
            std::memcpy(&word, p, 8);
            if (HasByteBelow14(word)) break;
        }
        const char* const stop = to - p >= 8 ? p + 8 : to;
        for (; p < stop; ++p)
            if (IsLineEnd(*p)) return p;
        if (p == to) return to;
    }
}

#endif

}  // namespace

TLineReader::TLineReader(TFileInput& input) : input_(input), buf_(kBlockSize + kSlack) {
    while (!eof_ && end_ < kUtf8Bom.size()) Fill();
    if (std::string_view(buf_.data(), end_).substr(0, kUtf8Bom.size()) == kUtf8Bom) begin_ = kUtf8Bom.size();
}

void TLineReader::Fill() {
    if (begin_ > 0) {
        std::memmove(buf_.data(), buf_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        bufOffset_ += begin_;
        scanned_ = scanned_ > begin_ ? scanned_ - begin_ : 0;
        begin_ = 0;
    }
    if (end_ + kSlack == buf_.size()) buf_.resize(buf_.size() * 2);  // one line fills the buffer
    const size_t n = input_.Read(buf_.data() + end_, buf_.size() - kSlack - end_);
    if (n == 0) eof_ = true;
    end_ += n;
}

bool TLineReader::Next(std::string_view& line) {
    for (;;) {
        if (skipLf_ && begin_ < end_) {
            skipLf_ = false;
            if (buf_[begin_] == '\n') scanned_ = ++begin_;
        }
        const char* base = buf_.data();
        // scanned_ remembers how far an unfinished line was searched already.
        const char* end = FindLineEnd(base + std::max(begin_, scanned_), base + end_);
        if (end < base + end_) {
            const size_t stop = static_cast<size_t>(end - base);
            line = std::string_view(base + begin_, stop - begin_);
            lineOffset_ = bufOffset_ + begin_;
            sawZeroByte_ |= *end == '\0';
            skipLf_ = *end == '\r';  // CR LF is one line end, even across two reads
            begin_ = scanned_ = stop + 1;
            return true;
        }
        scanned_ = end_;
        if (eof_) {
            if (begin_ == end_) return false;
            line = std::string_view(base + begin_, end_ - begin_);
            lineOffset_ = bufOffset_ + begin_;
            begin_ = scanned_ = end_;
            return true;
        }
        Fill();
    }
}

}  // namespace vorlix
