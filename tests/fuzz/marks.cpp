// The marks of a move comment: no crash on any text; what is read is on the
// board, never an arrow from a square to itself, no mark twice, at most the
// bound of arrows; and collecting the result again changes nothing.
#include <cstdlib>
#include <set>
#include <string_view>
#include <utility>

#include "FuzzTarget.h"
#include "files/CommentMarks.h"

using namespace vorlix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TBoardMarks marks = ParseCommentMarks(std::string_view(reinterpret_cast<const char*>(data), size));
    if (marks.Arrows.size() > TMarkCollector::kMaxArrows) std::abort();
    std::set<std::pair<int, int>> arrows;
    for (const TArrowMark& a : marks.Arrows) {
        if (a.From < 0 || a.From > 63 || a.To < 0 || a.To > 63 || a.From == a.To) std::abort();
        if (int(a.Color) >= kMarkColorCount || !arrows.insert({a.From, a.To}).second) std::abort();
    }
    std::set<int> squares;
    for (const TSquareMark& s : marks.Squares)
        if (s.Square < 0 || s.Square > 63 || int(s.Color) >= kMarkColorCount || !squares.insert(s.Square).second)
            std::abort();
    TMarkCollector again;
    again.Add(marks);
    if (!(again.Marks() == marks)) std::abort();
    return 0;
}
