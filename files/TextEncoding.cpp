#include "files/TextEncoding.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorlix {

bool HasHighBytes(std::string_view text) {
    const char* p = text.data();
    size_t n = text.size();
#if defined(__SSE2__)
    for (; n >= 64; p += 64, n -= 64) {
        const auto* v = reinterpret_cast<const __m128i*>(p);
        const __m128i any = _mm_or_si128(_mm_or_si128(_mm_loadu_si128(v), _mm_loadu_si128(v + 1)),
                                         _mm_or_si128(_mm_loadu_si128(v + 2), _mm_loadu_si128(v + 3)));
        if (_mm_movemask_epi8(any)) return true;
    }
#endif
    constexpr uint64_t kHigh = 0x8080808080808080ull;
    for (; n >= 8; p += 8, n -= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & kHigh) return true;
    }
    for (; n; ++p, --n)
        if (static_cast<unsigned char>(*p) & 0x80) return true;
    return false;
}

void TUtf8Validator::Feed(std::string_view block) {
    if (!valid_) return;
    if (pending_ == 0 && !HasHighBytes(block)) return;
    for (unsigned char c : block) {
        if (pending_ > 0) {
            bool ok = (c & 0xC0) == 0x80;
            if (ok && firstCont_) {
                // Reject overlong forms, surrogates and code points above U+10FFFF.
                if (lead_ == 0xE0)
                    ok = c >= 0xA0;
                else if (lead_ == 0xED)
                    ok = c < 0xA0;
                else if (lead_ == 0xF0)
                    ok = c >= 0x90;
                else if (lead_ == 0xF4)
                    ok = c < 0x90;
            }
            if (!ok) {
                valid_ = false;
                return;
            }
            firstCont_ = false;
            --pending_;
        } else if (c >= 0x80) {
            if (c >= 0xC2 && c <= 0xDF)
                pending_ = 1;
            else if (c >= 0xE0 && c <= 0xEF)
                pending_ = 2;
            else if (c >= 0xF0 && c <= 0xF4)
                pending_ = 3;
            else {
                valid_ = false;
                return;
            }
            lead_ = c;
            firstCont_ = true;
        }
    }
}

bool IsValidUtf8(std::string_view text) {
    TUtf8Validator v;
    v.Feed(text);
    return v.Valid();
}

namespace {

// Code points of 0x80..0x9F in Windows-1252; the five unassigned bytes map to themselves.
constexpr char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x80)
            out += ch;
        else if (c < 0xA0)
            AppendUtf8(out, kCp1252High[c - 0x80]);
        else
            AppendUtf8(out, c);
    }
    return out;
}

std::string_view Utf8Prefix(std::string_view text, size_t maxChars) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // continuation byte
        if (chars == maxChars) return text.substr(0, i);
        ++chars;
    }
    return text;
}

}  // namespace vorlix
