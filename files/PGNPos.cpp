#include "files/PGNPos.h"

#include <string>

#include "files/Exceptions.h"
#include "files/GameReplay.h"

namespace vorlix {

namespace {
TSilentReporter gSilent;
}  // namespace

TPGNPos::TPGNPos() : reporter_(&gSilent) {}
TPGNPos::TPGNPos(TErrorReporter& reporter) : reporter_(&reporter) {}
TPGNPos::~TPGNPos() { Clear(); }

void TPGNPos::Clear() {
    while (First) {
        TChessPosition* next = First->Next;
        delete First;
        First = next;
    }
    Current = nullptr;
}

bool TPGNPos::LoadGame(const TPGNRec* game, int gameNumber) {
    Clear();
    if (!game) return false;
    // Other exceptions pass on, but the chain is still seen from its start.
    struct TRewind {
        TPGNPos& Self;
        ~TRewind() { Self.Current = Self.First; }
    } rewind{*this};
    try {
        Replay(*game);
    } catch (const EIllegalMoveData& e) {
        reporter_->Report(TMsgKind::Error, GameMessage(gameNumber, e.Message()));
        return false;
    }
    return true;
}

void TPGNPos::Replay(const TPGNRec& game) {
    TGameReplay replay(game);
    First = Current = new TChessPosition(replay.Position());
    if (CountMoveTokens(game, First->WhiteToMove, kMaxChainPlies) > kMaxChainPlies)
        throw EIllegalMoveData("The game is too long to replay: it has more than " + std::to_string(kMaxChainPlies) +
                               " half-moves.");
    while (replay.Step()) AppendPosition(replay.Position());
}

void TPGNPos::AppendPosition(const TChessPosition& position) {
    auto* next = new TChessPosition(position);
    next->Prev = Current;
    next->Next = nullptr;
    Current->Next = next;
    Current = next;
}

void TPGNPos::GoLast() {
    while (GoNext()) {
    }
}

bool TPGNPos::GoNext() {
    if (!Current || !Current->Next) return false;
    Current = Current->Next;
    return true;
}

bool TPGNPos::GoPrev() {
    if (!Current || !Current->Prev) return false;
    Current = Current->Prev;
    return true;
}

bool TPGNPos::Forward(int count) {
    for (int i = 0; i < count; ++i)
        if (!GoNext()) return false;
    return true;
}

bool TPGNPos::Back(int count) {
    for (int i = 0; i < count; ++i)
        if (!GoPrev()) return false;
    return true;
}

bool TPGNPos::GoToPosition(int index) {
    GoFirst();
    return index >= 0 && Forward(index);
}

int TPGNPos::PositionCount() const {
    int n = 0;
    for (const TChessPosition* p = First; p; p = p->Next) ++n;
    return n;
}

int TPGNPos::CurrentIndex() const {
    if (!Current) return -1;
    int n = 0;
    for (const TChessPosition* p = Current->Prev; p; p = p->Prev) ++n;
    return n;
}

int TPGNPos::StepsToEnd() const {
    if (!Current) return -1;
    int n = 0;
    for (const TChessPosition* p = Current->Next; p; p = p->Next) ++n;
    return n;
}

}  // namespace vorlix
