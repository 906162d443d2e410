#include "batch/PositionPicker.h"

#include "rules/ChessPosition.h"

namespace vorlix {
namespace {

std::vector<TPickedPosition> FixedPositions(const TChessPosition* first, bool setupGame, const TPositionRule& rule) {
    const TChessPosition* last = first;
    while (last->Next) last = last->Next;
    if (!setupGame) return {{1, last}};
    std::vector<TPickedPosition> picked;
    if (rule.FenStart) picked.push_back({1, first});
    if (rule.FenFinal && (picked.empty() || last != first))
        picked.push_back({static_cast<int>(picked.size()) + 1, last});
    return picked;
}

}  // namespace

bool NothingToDo(bool setupGame, const TPositionRule& rule) {
    return rule.Mode == TPositionMode::Fixed && setupGame && !rule.FenStart && !rule.FenFinal;
}

std::vector<TPickedPosition> PickPositions(const TChessPosition* first, bool setupGame, const TPositionRule& rule) {
    if (!first || NothingToDo(setupGame, rule)) return {};
    if (rule.Mode == TPositionMode::Fixed) return FixedPositions(first, setupGame, rule);
    int count = 0;
    for (const TChessPosition* p = first; p; p = p->Next) ++count;
    std::vector<TPickedPosition> picked;
    int number = 0;
    for (const TChessPosition* p = first; p; p = p->Next) {
        ++number;
        if (rule.Mode == TPositionMode::Entire || rule.Custom.IsPositionSelected(number, count))
            picked.push_back({number, p});
    }
    return picked;
}

}  // namespace vorlix
