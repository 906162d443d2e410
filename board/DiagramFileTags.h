#pragma once
// Tag numbers of the diagram file, shared by its writer and reader.
#include <cstdint>

namespace vorlix::vxd {

enum Tag : uint8_t {
    Signature = 0,
    Version = 1,
    PieceSize = 5,
    PieceStyle = 6,
    View = 7,
    GridLineWidth = 10,
    GridLineColor = 11,
    SquareSize = 15,
    LightSquares = 16,
    DarkSquares = 17,
    LightShading = 18,
    DarkShading = 19,
    LightShadingColor = 20,
    DarkShadingColor = 21,
    LightAutoFit = 22,
    DarkAutoFit = 23,
    Squares = 25,
    CoordSides = 40,
    FontColor = 41,
    FontSize = 42,
    FontName = 43,
    FontStyle = 44,
    CoordBackColor = 45,
    CoordCapitals = 46,
    Border = 50,
    LightImage = 200,
    DarkImage = 201,
    // Arrows and coloured squares come after every other field, and each of
    // their bytes, payload included, is 202 or above: a reader that does not
    // know them steps over them byte by byte as unknown tags.
    ArrowMark = 230,   // colour, from file, from rank, to file, to rank
    SquareMark = 231,  // colour, file, rank
    // Present (a lone tag byte) when the coordinates are inside the board;
    // written only then, so files with coordinate bands keep their bytes.
    CoordsInside = 232,
    // The side to move, one payload byte (1 White, 2 Black, offset like the
    // marks'); written only when a side is set, so other files keep their bytes.
    SideToMove = 233,
};
// Payload bytes of the mark fields are values offset by this.
constexpr uint8_t kMarkByteBase = 202;

// The eight fields of the header line start at tag 60, the footer's at 70.
constexpr int kHeaderTags = 60;
constexpr int kFooterTags = 70;
// Offsets of the line fields from their first tag.
enum LineField : uint8_t {
    LineText = 0,
    LineAlignment = 1,
    LineColor = 2,
    LineEnabled = 3,
    LineFontStyle = 4,
    LineFontColor = 5,
    LineFontName = 6,
    LineFontSize = 7,
};

inline constexpr char kSignature[] = "Chess Vorlix Diagram";
constexpr int kSignatureLength = 20;
constexpr size_t kSquareRecordSize = 36;
constexpr size_t kSquaresSize = 64 * kSquareRecordSize;
constexpr int kMaxFontSize = 72;
constexpr int kMaxGridLineWidth = 8;
constexpr int kMaxSquareSizeByte = 64;

}  // namespace vorlix::vxd
