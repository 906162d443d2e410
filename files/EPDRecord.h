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
    std::string BestMove;  // every move of the "bm" operation, separated by blanks
    std::string Id;
    // Every operation of the record as read ("bm e5 Rf6+", "id \"x\"", "ce 35",
    // ...), in its order and without its ";". The writer puts BestMove and Id
    // in place of the "bm" and "id" operations and keeps the others as they are.
    std::vector<std::string> Operations;
    // The half-move clock and move number of a FEN-style line, when it had them.
    std::string Counters;
    std::string SourceText;  // the record's text as read, up to and including its first ";"
    // The record's bytes in its file, from its first character up to the next
    // record: its line end and any blank lines after it included. Empty for a
    // record that was not read from a file.
    std::string FileText;
    // The line the record made when it was read; a record that still makes it
    // is written back as FileText, unchanged.
    std::string ReadLine;
    TEPDRec* Next = nullptr;
    TEPDRec* Prev = nullptr;
};

}  // namespace vorlix
