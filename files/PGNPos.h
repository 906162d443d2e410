#pragma once
// One game replayed into the chain of its positions; walking the chain needs
// no chess computation.
#include "files/ErrorReporter.h"
#include "files/PGNRecord.h"
#include "rules/ChessPosition.h"

namespace vorlix {

class TPGNPos {
public:
    // Longer games are refused: their chain would not fit in memory.
    static constexpr int kMaxChainPlies = 100000;

    TPGNPos();
    explicit TPGNPos(TErrorReporter& reporter);
    ~TPGNPos();
    TPGNPos(const TPGNPos&) = delete;
    TPGNPos& operator=(const TPGNPos&) = delete;

    void Clear();
    // Replaces the chain by the positions of the game. False when the record is
    // null or a reported error stopped the replay; the positions before the
    // failing move stay. Current is First afterwards. With a game number
    // (1-based, in the file) the message names the game.
    bool LoadGame(const TPGNRec* game, int gameNumber = 0);

    void GoFirst() { Current = First; }
    void GoLast();
    bool GoNext();
    bool GoPrev();
    bool Forward(int count);
    bool Back(int count);
    bool GoToPosition(int index);
    int PositionCount() const;
    int CurrentIndex() const;
    int StepsToEnd() const;

    TChessPosition* First = nullptr;
    TChessPosition* Current = nullptr;

private:
    void Replay(const TPGNRec& game);
    void AppendPosition(const TChessPosition& position);

    TErrorReporter* reporter_;
};

}  // namespace vorlix
