#pragma once
// Splits the move text of a game into its move tokens, leaving out move
// numbers, comments, variations, numeric annotations and result tokens.
#include <cstdint>
#include <string_view>
#include <vector>

namespace vorlix {

struct TMove {
    int32_t Number = 1;  // counted in the token list, increased after every black move
    bool IsWhite = true;
    std::string_view Text;  // the token as written; points into the move text
};

// Hands out the move tokens one at a time, so a game of any length is split in
// constant memory. The first token is a move of the side given by whiteFirst;
// sides then alternate. A token equal to the game's result ends the moves.
class TMoveTokenizer {
public:
    TMoveTokenizer(std::string_view moves, std::string_view result, bool whiteFirst);
    // The next move token; false at the end of the moves.
    bool Next(TMove& move);

private:
    std::string_view text_;
    std::string_view result_;
    size_t pos_ = 0;
    TMove next_;
};

// All move tokens at once.
void SplitMoveTokens(std::string_view moves, std::string_view result, bool whiteFirst, std::vector<TMove>& tokens);

}  // namespace vorlix
