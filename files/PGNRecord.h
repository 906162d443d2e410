#pragma once
// One game of a PGN file: the tags the program shows and the raw move text.
#include <string>

namespace vorlix {

struct TPGNRec {
    std::string Event;
    std::string Site;
    std::string Date;
    std::string Round;
    std::string Result;
    std::string White;
    std::string WhiteElo = "?";
    std::string Black;
    std::string BlackElo = "?";
    std::string ECO;
    bool HasSetup = false;
    std::string FEN;
    // Every move-text line of the game, each followed by one blank.
    std::string Moves;
    TPGNRec* Next = nullptr;
    TPGNRec* Prev = nullptr;
};

}  // namespace vorlix
