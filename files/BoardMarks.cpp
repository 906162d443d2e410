#include "files/BoardMarks.h"

#include <algorithm>
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

TMarkCollector::TMarkCollector() : arrowAt_(64 * 64, -1), squareAt_(64, -1) {}

void TMarkCollector::Add(const TArrowMark& arrow) {
    if (arrow.From < 0 || arrow.From >= 64 || arrow.To < 0 || arrow.To >= 64 || arrow.From == arrow.To) return;
    int16_t& at = arrowAt_[size_t(arrow.From * 64 + arrow.To)];
    if (at >= 0) {
        marks_.Arrows[size_t(at)].Color = arrow.Color;
    } else if (marks_.Arrows.size() < kMaxArrows) {
        at = int16_t(marks_.Arrows.size());
        marks_.Arrows.push_back(arrow);
    } else {
        ++leftOut_;
    }
}

void TMarkCollector::Add(const TSquareMark& square) {
    if (square.Square < 0 || square.Square >= 64) return;
    int8_t& at = squareAt_[size_t(square.Square)];
    if (at >= 0) {
        marks_.Squares[size_t(at)].Color = square.Color;
    } else {
        at = int8_t(marks_.Squares.size());
        marks_.Squares.push_back(square);
    }
}

void TMarkCollector::Add(const TBoardMarks& marks) {
    for (const TArrowMark& a : marks.Arrows) Add(a);
    for (const TSquareMark& s : marks.Squares) Add(s);
}

TBoardMarks TMarkCollector::Take() {
    TBoardMarks marks = std::move(marks_);
    *this = TMarkCollector();
    return marks;
}

TBoardMarks Normalized(const TBoardMarks& marks) {
    TMarkCollector collector;
    collector.Add(marks);
    return collector.Take();
}

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

TBoardMarks WithMarkToggled(const TBoardMarks& marks, int from, int to, TMarkColor color) {
    TBoardMarks result = marks;
    auto toggle = [color](auto& list, auto same, auto mark) {
        const auto it = std::find_if(list.begin(), list.end(), same);
        if (it == list.end())
            list.push_back(mark);
        else if (it->Color == color)
            list.erase(it);
        else
            it->Color = color;
    };
    if (from == to)
        toggle(
            result.Squares, [&](const TSquareMark& m) { return m.Square == from; }, TSquareMark{from, color});
    else
        toggle(
            result.Arrows, [&](const TArrowMark& m) { return m.From == from && m.To == to; },
            TArrowMark{from, to, color});
    return Normalized(result);
}

}  // namespace vorlix
