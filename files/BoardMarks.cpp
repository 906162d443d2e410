#include "files/BoardMarks.h"

#include <cctype>

namespace vorlix {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Splits "BODY:COLOUR"; the colour part is empty without a colon.
bool SplitColor(const std::string& text, std::string& body, std::optional<TMarkColor>& color) {
    const size_t colon = text.find(':');
    body = text.substr(0, colon);
    if (colon == std::string::npos) return true;
    color = MarkColorOfName(text.substr(colon + 1));
    return color.has_value();
}

}  // namespace

std::optional<TMarkColor> MarkColorOfLetter(char letter) {
    switch (std::toupper(static_cast<unsigned char>(letter))) {
        case 'R': return TMarkColor::Red;
        case 'G': return TMarkColor::Green;
        case 'Y': return TMarkColor::Yellow;
        case 'B': return TMarkColor::Blue;
        default: return std::nullopt;
    }
}

char LetterOfMarkColor(TMarkColor color) { return "RGYB"[int(color)]; }

std::optional<TMarkColor> MarkColorOfName(const std::string& name) {
    if (name.size() == 1) return MarkColorOfLetter(name[0]);
    const std::string word = Lower(name);
    if (word == "red") return TMarkColor::Red;
    if (word == "green") return TMarkColor::Green;
    if (word == "yellow") return TMarkColor::Yellow;
    if (word == "blue") return TMarkColor::Blue;
    return std::nullopt;
}

std::optional<int> SquareOfName(const std::string& name) {
    if (name.size() != 2) return std::nullopt;
    const int file = std::tolower(static_cast<unsigned char>(name[0])) - 'a';
    const int rank = name[1] - '1';
    if (file < 0 || file > 7 || rank < 0 || rank > 7) return std::nullopt;
    return file * 8 + rank;
}

std::optional<TArrowMark> ParseArrowArgument(const std::string& text) {
    std::string body;
    std::optional<TMarkColor> color;
    if (!SplitColor(text, body, color) || body.size() != 4) return std::nullopt;
    const auto from = SquareOfName(body.substr(0, 2)), to = SquareOfName(body.substr(2, 2));
    if (!from || !to || *from == *to) return std::nullopt;
    return TArrowMark{*from, *to, color.value_or(TMarkColor::Green)};
}

std::optional<TSquareMark> ParseSquareArgument(const std::string& text) {
    std::string body;
    std::optional<TMarkColor> color;
    if (!SplitColor(text, body, color)) return std::nullopt;
    const auto square = SquareOfName(body);
    if (!square) return std::nullopt;
    return TSquareMark{*square, color.value_or(TMarkColor::Red)};
}

}  // namespace vorlix
