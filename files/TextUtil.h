#pragma once
// Small text helpers of the file readers.
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vorlix {

// Blanks and control characters, as trimmed from lines and tokens.
inline bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

inline std::string_view TrimLeft(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && IsBlankOrControl(s[i])) ++i;
    return s.substr(i);
}

inline std::string_view TrimRight(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && IsBlankOrControl(s[n - 1])) --n;
    return s.substr(0, n);
}

inline std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

// Eight bytes looked at as one word, for short texts where a vector loop does not pay.
inline uint64_t LoadWord(const char* p) {
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}
inline constexpr uint64_t kByteOnes = 0x0101010101010101ull;
inline constexpr uint64_t kByteHighs = 0x8080808080808080ull;
// True when one of the eight bytes is below `limit` (at most 128).
inline bool WordHasByteBelow(uint64_t word, unsigned char limit) {
    return ((word - limit * kByteOnes) & ~word & kByteHighs) != 0;
}
inline bool WordHasByte(uint64_t word, char c) {
    return WordHasByteBelow(word ^ (static_cast<unsigned char>(c) * kByteOnes), 1);
}
// A high bit in each byte of the word that equals `c`, and only there.
inline uint64_t WordBytesEqualTo(uint64_t word, char c) {
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const uint64_t x = word ^ (static_cast<unsigned char>(c) * kByteOnes);
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// Case-insensitive test of an upper-case ASCII prefix.
inline bool StartsWithUpper(std::string_view s, std::string_view upperPrefix) {
    if (s.size() < upperPrefix.size()) return false;
    for (size_t i = 0; i < upperPrefix.size(); ++i) {
        char c = s[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != upperPrefix[i]) return false;
    }
    return true;
}

}  // namespace vorlix
