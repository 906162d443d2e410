#include "files/GameMarks.h"

#include "files/CommentMarks.h"
#include "files/MoveTokens.h"

namespace vorlix {

namespace {

// The marks of the brace comments between two moves that stand outside variations.
TBoardMarks MarksBetweenMoves(std::string_view text) {
    TMarkCollector marks;
    int depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(') {
            ++depth;
        } else if (c == ')') {
            depth -= depth > 0;
        } else if (c == '{') {
            const size_t close = text.find('}', i + 1);
            const size_t end = close == std::string_view::npos ? text.size() : close;
            if (depth == 0) marks.Add(ParseCommentMarks(text.substr(i + 1, end - i - 1)));
            i = end;
        }
    }
    return marks.Take();
}

}  // namespace

std::vector<TBoardMarks> ReadGameMarks(const TPGNRec& game) {
    const std::string_view text = game.Moves;
    std::vector<TBoardMarks> marks;
    TMoveTokenizer tokens(text, game.Result, true);
    size_t gapStart = 0;
    for (TMove move; tokens.Next(move);) {
        const size_t start = size_t(move.Text.data() - text.data());
        marks.push_back(MarksBetweenMoves(text.substr(gapStart, start - gapStart)));
        gapStart = start + move.Text.size();
    }
    marks.push_back(MarksBetweenMoves(text.substr(std::min(gapStart, text.size()))));
    return marks;
}

const TBoardMarks& MarksAt(const std::vector<TBoardMarks>& marks, int index) {
    static const TBoardMarks none;
    return index >= 0 && size_t(index) < marks.size() ? marks[size_t(index)] : none;
}

}  // namespace vorlix
