#include "files/CommentMarks.h"

#include <cctype>
#include <string>

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

}  // namespace

TBoardMarks ParseCommentMarks(std::string_view comment) {
    TMarkCollector marks;
    size_t pos = 0;
    while ((pos = comment.find('[', pos)) != std::string_view::npos) {
        const size_t end = comment.find(']', pos);
        if (end == std::string_view::npos) break;
        std::string_view command = Trimmed(comment.substr(pos + 1, end - pos - 1));
        pos = end + 1;
        if (command.size() < 4 || command[0] != '%') continue;
        const std::string_view name = command.substr(1, 3);
        const std::string_view argument = command.substr(4);
        if (!argument.empty() && !IsSpace(argument.front())) continue;  // e.g. [%calx ...]
        if (name == "cal")
            ForEachItem(argument, [&](std::string_view item) { AddArrow(item, marks); });
        else if (name == "csl")
            ForEachItem(argument, [&](std::string_view item) { AddSquare(item, marks); });
    }
    return marks.Take();
}

}  // namespace vorlix
