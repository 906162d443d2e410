#pragma once
// The seven forms in which the diagram goes to the clipboard, and the content
// of each: a bitmap of 1, 4, 8 or 24 bits per pixel, or one of three texts.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>
#include <string>

#include "files/BoardMarks.h"

namespace vorlix {

class TDiagramBoard;

enum TClipboardFormat : int {
    cfMonochromeBitmap = 0,
    cf16ColorBitmap = 1,
    cf256ColorBitmap = 2,
    cfTrueColorBitmap = 3,
    cfEPDText = 4,
    cfPlainText = 5,
    cfSetupText = 6,
};
constexpr int kClipboardFormatCount = 7;

bool IsValidClipboardFormat(int format);
bool IsBitmapClipboardFormat(int format);
// 1, 4, 8 or 24 for the bitmap formats, 0 for the text formats.
int ClipboardBitsPerPixel(int format);

// The format of a menu item by the last character of its name
// (mnuEditClipBmp1 .. mnuEditClipSetup: "1" "4" "8" "T" "D" "n" "p").
std::optional<int> ClipboardFormatOfItemName(const QString& itemName);

// The text of a text format: the FEN placement alone, the plain-text picture
// or the setup text, exactly as the board makes it (no line break added).
// EPD and setup text carry the side to move (" w" or " b") and the arrows and
// coloured squares as a comment after the position: " {[%cal Ge2e4] [%csl Rd4]}".
std::string ClipboardText(const TDiagramBoard& board, int format);
// That comment for the marks given; empty for none.
std::string MarksText(const TBoardMarks& marks);

// A diagram image reduced to a bitmap format's depth, both as an image of
// that depth (1 bit: Mono; 4 and 8 bits: Indexed8 with the 16-colour or
// halftone table; 24 bits: RGB888) and as the bytes of a BMP file.
struct TClipboardBitmap {
    QImage Image;
    QByteArray Bmp;
};
bool MakeClipboardBitmap(const QImage& diagram, int format, TClipboardBitmap& out, std::string& error);

}  // namespace vorlix
