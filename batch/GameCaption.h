#pragma once
// Header and footer lines composed from a game's tags and the current move,
// and the example line the PGN batch tool shows for the same choice of items.
#include <string>

namespace vorlix {

struct TChessPosition;
struct TPGNRec;

struct TCaptionItems {
    bool Event = false, Site = false, Date = false, Move = false, White = false, Black = false;
    bool Result = false, ECO = false, WhiteElo = false, BlackElo = false;
    bool Any() const {
        return Event || Site || Date || Move || White || Black || Result || ECO || WhiteElo || BlackElo;
    }
};

struct TCaptionValues {
    std::string Event, Site, Date, White, WhiteElo, Black, BlackElo, ECO, Result, Move;
};

// The checked items in their fixed order, joined by ", ".
std::string ComposeCaption(const TCaptionItems& items, const TCaptionValues& values);

// The example line; with no item checked, the header or footer text as it was.
std::string ComposeExampleCaption(const TCaptionItems& items, const std::string& currentText);

// "11... Bf8" after Black's move, "12. Nc3" after White's; empty at the start.
std::string MoveDataText(const TChessPosition& position);

std::string ComposeGameCaption(const TCaptionItems& items, const TPGNRec& game, const TChessPosition& position);

}  // namespace vorlix
