#include "batch/PositionPicker.h"

#include "files/GameMarks.h"
#include "rules/ChessPosition.h"

namespace vorlix {
namespace {

std::vector<TPickedPosition> FixedPositions(const TChessPosition* first, bool setupGame, const TPositionRule& rule,
                                            bool wholeGame) {
    const TChessPosition* last = first;
    while (last->Next) last = last->Next;
    std::vector<TPickedPosition> picked;
    if (!setupGame) {
        if (wholeGame) picked.push_back({1, last});
        return picked;
    }
    if (rule.FenStart) picked.push_back({1, first});
    if (wholeGame && rule.FenFinal && (picked.empty() || last != first))
        picked.push_back({static_cast<int>(picked.size()) + 1, last});
    return picked;
}

}  // namespace

bool NothingToDo(bool setupGame, const TPositionRule& rule) {
    return rule.Mode == TPositionMode::Fixed && setupGame && !rule.FenStart && !rule.FenFinal;
}

std::vector<TPickedPosition> PickPositions(const TChessPosition* first, bool setupGame, const TPositionRule& rule,
                                           bool wholeGame) {
    if (!first || NothingToDo(setupGame, rule)) return {};
    if (rule.Mode == TPositionMode::Fixed) return FixedPositions(first, setupGame, rule, wholeGame);
    int count = 0;
    for (const TChessPosition* p = first; p; p = p->Next) ++count;
    TPositionSelection fromStartOnly;
    if (!wholeGame) fromStartOnly.FromStart = rule.Custom.FromStart;
    const TPositionSelection& custom = wholeGame ? rule.Custom : fromStartOnly;
    std::vector<TPickedPosition> picked;
    int number = 0;
    for (const TChessPosition* p = first; p; p = p->Next) {
        ++number;
        if (rule.Mode == TPositionMode::Entire || custom.IsPositionSelected(number, count))
            picked.push_back({number, p});
    }
    return picked;
}

int PositionIndex(const TChessPosition& position) {
    int index = 0;
    for (const TChessPosition* p = position.Prev; p; p = p->Prev) ++index;
    return index;
}

const TBoardMarks& BatchPositionMarks(const std::vector<TBoardMarks>& gameMarks, const TChessPosition& position) {
    return MarksAt(gameMarks, PositionIndex(position));
}

}  // namespace vorlix
