#pragma once
// The square record and the board's enumerations. The record's byte layout is
// stored raw in diagram files, so its fields, order and padding are fixed.
#include <cstddef>
#include <cstdint>

#include "board/Colors.h"
#include "rules/ChessPosition.h"

namespace vorlix {

// Square content codes beyond the piece codes (pcEmpty..pcBPawn): training marks.
enum : int32_t { pcWCross = 13, pcWDot = 14, pcBCross = 15, pcBDot = 16 };
constexpr int32_t kMaxSquareCode = 16;

struct TRect32 {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    bool operator==(const TRect32&) const = default;
};

struct TSquareInfo {
    int32_t Piece = 0;
    bool IsLight = false;
    uint8_t Reserved1[3] = {};
    TRect32 Bounds;
    bool Selected = false;
    bool Highlighted = false;
    uint8_t Reserved2[2] = {};
    TColor HighlightColor = clWhite;
    bool Merged = false;
    uint8_t Reserved3[3] = {};
    bool operator==(const TSquareInfo&) const = default;
};
static_assert(sizeof(TSquareInfo) == 36);
static_assert(offsetof(TSquareInfo, IsLight) == 4);
static_assert(offsetof(TSquareInfo, Bounds) == 8);
static_assert(offsetof(TSquareInfo, Selected) == 24);
static_assert(offsetof(TSquareInfo, Highlighted) == 25);
static_assert(offsetof(TSquareInfo, HighlightColor) == 28);
static_assert(offsetof(TSquareInfo, Merged) == 32);

enum TShading : uint8_t { shNone, shHorizontal, shVertical, shDiagonalLR, shDiagonalRL };
enum TPieceStyle : uint8_t { psRirozReg, psRoviravo, psRoruvoz };
enum TPieceSize : uint8_t { pzSmall, pzLarge };
enum TView : uint8_t { vwWhiteUnder, vwBlackUnder };

// Coordinate sides as a set; the bit values are those of the diagram file.
enum TCoords : uint8_t { North = 1, East = 2, West = 4, South = 8 };
using TCoordenateOrientation = uint8_t;
constexpr TCoordenateOrientation kAllCoords = North | East | West | South;

}  // namespace vorlix
