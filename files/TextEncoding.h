#pragma once
// Chess files come as UTF-8 or as Windows-1252; text is kept as UTF-8 inside.
#include <cstddef>
#include <string>
#include <string_view>

namespace vorlix {

// The UTF-8 byte-order mark.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool HasHighBytes(std::string_view text);
bool IsValidUtf8(std::string_view text);
std::string Cp1252ToUtf8(std::string_view text);
// The longest prefix of UTF-8 text holding at most maxChars characters.
std::string_view Utf8Prefix(std::string_view text, size_t maxChars);

// Checks a stream of blocks for UTF-8 validity; sequences may span blocks.
class TUtf8Validator {
public:
    void Feed(std::string_view block);
    // Valid when every byte seen so far forms complete UTF-8 sequences.
    bool Valid() const { return valid_ && pending_ == 0; }

private:
    bool valid_ = true;
    int pending_ = 0;         // continuation bytes still expected
    unsigned char lead_ = 0;  // lead byte of the open sequence
    bool firstCont_ = false;  // the next byte is the first continuation byte
};

}  // namespace vorlix
