#pragma once
// One position of an EPD file.
#include <cstdint>
#include <string>
#include <vector>

namespace vorlix {

struct TEPDRec {
    uint8_t Board[64] = {};  // piece codes, index file * 8 + rank
    bool Valid = true;       // read without a minor error
    bool WhiteToMove = true;
    bool CastleWhiteShort = false;
    bool CastleWhiteLong = false;
    bool CastleBlackShort = false;
    bool CastleBlackLong = false;
    bool EpPossible = false;  // an en-passant capture is actually available
    uint8_t EpFile = 0;
    uint8_t EpRank = 0;
    std::string EpSquare;  // "e3"-style, empty when EpPossible is false
    std::string BestMove;
    std::string Id;
    // Every other operation of the record ("ce 35", "c0 \"text\"", ...) as read,
    // without its ";"; written back after "bm" and "id".
    std::vector<std::string> OtherOperations;
    std::string SourceText;  // the record's text as read, up to and including its first ";"
    TEPDRec* Next = nullptr;
    TEPDRec* Prev = nullptr;
};

}  // namespace vorlix
