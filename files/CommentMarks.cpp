#include "files/CommentMarks.h"

#include <cctype>
#include <string>
#include <vector>

namespace vorlix {

namespace {

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

// Calls item for every comma-separated item of a command's argument, trimmed.
template <class Item>
void ForEachItem(std::string_view argument, Item item) {
    while (!argument.empty()) {
        const size_t comma = argument.find(',');
        const std::string_view piece = Trimmed(argument.substr(0, comma));
        if (!piece.empty()) item(piece);
        if (comma == std::string_view::npos) break;
        argument.remove_prefix(comma + 1);
    }
}

// The words of an argument split at commas and white space, empty ones left out.
std::vector<std::string> Words(std::string_view argument) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : argument) {
        if (c == ',' || IsSpace(c)) {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

std::string Lower(std::string text) {
    for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

void AddArrow(std::string_view item, TMarkCollector& marks) {
    if (item.size() != 5) return;
    const auto color = MarkColorOfLetter(item[0]);
    const auto from = SquareOfName(std::string(item.substr(1, 2)));
    const auto to = SquareOfName(std::string(item.substr(3, 2)));
    if (color && from && to) marks.Add(TArrowMark{*from, *to, *color});
}

void AddSquare(std::string_view item, TMarkCollector& marks) {
    if (item.size() != 3) return;
    const auto color = MarkColorOfLetter(item[0]);
    const auto square = SquareOfName(std::string(item.substr(1, 2)));
    if (color && square) marks.Add(TSquareMark{*square, *color});
}

// A colour word, or the default when none is given; nullopt for an unknown one.
std::optional<TMarkColor> ColorOrDefault(const std::vector<std::string>& words, size_t at, TMarkColor fallback) {
    if (at >= words.size()) return fallback;
    return MarkColorOfName(words[at]);
}

// Kinds of square marks that read as a coloured square; the board has no
// circles, crosses or letters, so those others are left out.
bool IsSquareKind(const std::string& kind) {
    return kind == "full" || kind == "square" || kind == "circle" || kind == "disk";
}

// [%draw arrow,e2,e4,red] and [%draw full,e4,green] (also square, circle, disk).
void AddDrawing(std::string_view argument, TMarkCollector& marks) {
    const std::vector<std::string> words = Words(argument);
    if (words.empty()) return;
    const std::string kind = Lower(words[0]);
    if (kind == "arrow") {
        if (words.size() < 3 || words.size() > 4) return;
        const auto from = SquareOfName(words[1]);
        const auto to = SquareOfName(words[2]);
        const auto color = ColorOrDefault(words, 3, TMarkColor::Green);
        if (from && to && color) marks.Add(TArrowMark{*from, *to, *color});
    } else if (IsSquareKind(kind)) {
        if (words.size() < 2 || words.size() > 3) return;
        const auto square = SquareOfName(words[1]);
        const auto color = ColorOrDefault(words, 2, TMarkColor::Red);
        if (square && color) marks.Add(TSquareMark{*square, *color});
    }
}

// [%mark e4 green], the older form of a full square.
void AddMark(std::string_view argument, TMarkCollector& marks) {
    const std::vector<std::string> words = Words(argument);
    if (words.empty() || words.size() > 2) return;
    const auto square = SquareOfName(words[0]);
    const auto color = ColorOrDefault(words, 1, TMarkColor::Red);
    if (square && color) marks.Add(TSquareMark{*square, *color});
}

}  // namespace

TBoardMarks ParseCommentMarks(std::string_view comment) {
    TMarkCollector marks;
    size_t pos = 0;
    while ((pos = comment.find('[', pos)) != std::string_view::npos) {
        const size_t end = comment.find(']', pos);
        if (end == std::string_view::npos) break;
        std::string_view command = Trimmed(comment.substr(pos + 1, end - pos - 1));
        pos = end + 1;
        if (command.size() < 2 || command[0] != '%') continue;
        size_t nameEnd = 1;
        while (nameEnd < command.size() && !IsSpace(command[nameEnd])) ++nameEnd;
        const std::string_view name = command.substr(1, nameEnd - 1);  // e.g. [%calx ...] is no command of ours
        const std::string_view argument = command.substr(nameEnd);
        if (name == "cal")
            ForEachItem(argument, [&](std::string_view item) { AddArrow(item, marks); });
        else if (name == "csl")
            ForEachItem(argument, [&](std::string_view item) { AddSquare(item, marks); });
        else if (name == "draw")
            AddDrawing(argument, marks);
        else if (name == "mark")
            AddMark(argument, marks);
    }
    return marks.Take();
}

}  // namespace vorlix
