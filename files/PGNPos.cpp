#include "files/PGNPos.h"

#include <vector>

#include "files/Exceptions.h"
#include "files/MoveTokens.h"
#include "files/TextUtil.h"
#include "rules/FenReader.h"
#include "rules/MoveNotation.h"
#include "rules/MoveRules.h"

namespace vorlix {

namespace {
TSilentReporter gSilent;
const char* const kBadFen = "Illegal FEN data in PGN archive.";
const char* const kBadMove = "Illegal move data in PGN archive.";
}  // namespace

TPGNPos::TPGNPos() : Reporter_(&gSilent) {}
TPGNPos::TPGNPos(TErrorReporter& reporter) : Reporter_(&reporter) {}
TPGNPos::~TPGNPos() { Clear(); }

void TPGNPos::Clear() {
    while (First) {
        TChessPosition* next = First->Next;
        delete First;
        First = next;
    }
    Current = nullptr;
}

bool TPGNPos::LoadGame(const TPGNRec* game) {
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
        Reporter_->Report(TMsgKind::Error, e.Message());
        return false;
    }
    return true;
}

void TPGNPos::Replay(const TPGNRec& game) {
    bool whiteFirst = true;
    if (game.HasSetup) {
        TChessPosition scratch;
        if (!ReadFEN(game.FEN, scratch)) throw EIllegalMoveData(kBadFen);
        whiteFirst = scratch.WhiteToMove;
    }
    std::vector<TMove> tokens;
    SplitMoveTokens(game.Moves, game.Result, whiteFirst, tokens);

    First = Current = new TChessPosition;
    if (!game.HasSetup) SetStartPosition(*First);
    else if (!ReadFEN(game.FEN, *First)) throw EIllegalMoveData(kBadFen);
    if (Trim(game.Moves) == game.Result) return;

    for (const TMove& token : tokens) {
        TChessMove move;
        if (!DecodeMove(token.Text, token.IsWhite, move)) throw EIllegalMoveData(kBadMove);
        if (token.IsWhite ? Current->BlackInCheck : Current->WhiteInCheck) throw EIllegalMoveData(kBadMove);
        if (!ValidateMove(*Current, move)) throw EIllegalMoveData("Illegal move data: " + std::string(token.Text));
        AppendMove(move, token.Text);
    }
}

void TPGNPos::AppendMove(const TChessMove& move, std::string_view text) {
    auto* next = new TChessPosition;
    next->Prev = Current;
    Current->Next = next;
    next->LastMove = move;
    MakeMove(*Current, *next, move);
    next->MoveText.assign(text);
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
