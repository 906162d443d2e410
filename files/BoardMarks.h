#pragma once
// Arrows and coloured squares drawn over a diagram, as annotated games carry
// them in their comments. Squares are indexes file * 8 + rank (a1 = 0, h8 = 63).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorlix {

enum class TMarkColor : uint8_t { Red, Green, Yellow, Blue };
constexpr int kMarkColorCount = 4;

struct TArrowMark {
    int From = 0;
    int To = 0;
    TMarkColor Color = TMarkColor::Green;
    bool operator==(const TArrowMark&) const = default;
};

struct TSquareMark {
    int Square = 0;
    TMarkColor Color = TMarkColor::Green;
    bool operator==(const TSquareMark&) const = default;
};

struct TBoardMarks {
    std::vector<TArrowMark> Arrows;
    std::vector<TSquareMark> Squares;
    bool Empty() const { return Arrows.empty() && Squares.empty(); }
    bool operator==(const TBoardMarks&) const = default;
};

// Marks without repeats and within bounds, whatever a comment or a file holds:
// squares off the board and arrows from a square to itself are left out; an
// arrow or a square given again keeps its first place and takes its latest
// colour, and arrows beyond kMaxArrows are left out (and counted). Adding is
// constant time, so a hostile comment costs no more than its length.
class TMarkCollector {
public:
    static constexpr size_t kMaxArrows = 256;
    TMarkCollector();
    void Add(const TArrowMark& arrow);
    void Add(const TSquareMark& square);
    void Add(const TBoardMarks& marks);
    const TBoardMarks& Marks() const { return marks_; }
    TBoardMarks Take();
    size_t LeftOut() const { return leftOut_; }

private:
    TBoardMarks marks_;
    std::vector<int16_t> arrowAt_;  // from * 64 + to: index in marks_.Arrows, or -1
    std::vector<int8_t> squareAt_;  // square: index in marks_.Squares, or -1
    size_t leftOut_ = 0;
};

// The marks without repeats and within bounds (see TMarkCollector).
TBoardMarks Normalized(const TBoardMarks& marks);

// The marks after the user drew an arrow (from != to) or a square (from == to)
// in a colour: a mark drawn again in its own colour goes away, in another
// colour it takes that colour, a new one goes last.
TBoardMarks WithMarkToggled(const TBoardMarks& marks, int from, int to, TMarkColor color);

// The colour of a letter R, G, Y or B (either case).
std::optional<TMarkColor> MarkColorOfLetter(char letter);
char LetterOfMarkColor(TMarkColor color);
// The colour of a word: a letter above, or red, green, yellow, blue.
std::optional<TMarkColor> MarkColorOfName(const std::string& name);

// The index of a square name such as "e4" (lower or upper case file).
std::optional<int> SquareOfName(const std::string& name);

// "e2e4" or "e2e4:COLOUR" (green when no colour is given); nullopt when malformed.
std::optional<TArrowMark> ParseArrowArgument(const std::string& text);
// "d4" or "d4:COLOUR" (red when no colour is given).
std::optional<TSquareMark> ParseSquareArgument(const std::string& text);

}  // namespace vorlix
