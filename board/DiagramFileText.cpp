#include "board/DiagramFileText.h"

#include <cstdint>

namespace vorlix {

namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five unassigned bytes, which
// are read as the same-valued control characters.
constexpr char32_t kHighControls[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t ByteToCodePoint(uint8_t b) {
    if (b >= 0x80 && b < 0xA0 && kHighControls[b - 0x80] != 0) return kHighControls[b - 0x80];
    return b;
}

char CodePointToByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == c || (kHighControls[i] == 0 && c == char32_t(0x80 + i)))
            return static_cast<char>(0x80 + i);
    return '?';
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; advances i. Returns U+FFFD when malformed.
char32_t NextCodePoint(const std::string& s, size_t& i) {
    const uint8_t lead = static_cast<uint8_t>(s[i++]);
    if (lead < 0x80) return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || lead > 0xF4) return 0xFFFD;
    char32_t c = lead & (0x3F >> extra);
    for (; extra > 0; --extra) {
        if (i >= s.size() || (static_cast<uint8_t>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
        c = (c << 6) | (static_cast<uint8_t>(s[i++]) & 0x3F);
    }
    return c;
}

}  // namespace

std::string Utf8ToCp1252(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) out += CodePointToByte(NextCodePoint(utf8, i));
    return out;
}

std::string Cp1252ToUtf8(const std::string& bytes) {
    std::string out;
    for (char b : bytes) AppendUtf8(out, ByteToCodePoint(static_cast<uint8_t>(b)));
    return out;
}

}  // namespace vorlix
