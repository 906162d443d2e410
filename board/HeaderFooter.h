#pragma once
// Font description and header/footer line records; they travel in diagram files
// and undo states. Text is UTF-8 here; the diagram file converts it.
#include <cstdint>
#include <string>

#include "board/Colors.h"

namespace vorlix {

// Style bits of TCFont::Style.
enum : int32_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TCFont {
    TColor Color = clBlack;
    std::string Name = "MS Sans Serif";
    int32_t Size = 12;  // points at 96 dots per inch
    int32_t Style = fsBold;
    bool operator==(const TCFont&) const = default;
};

enum : int32_t { taLeftJustify = 0, taCenter = 1, taRightJustify = 2 };

struct THeaderFooterInfo {
    bool Enabled = false;
    std::string Text;
    int32_t Alignment = taLeftJustify;
    TColor Color = clBlack;  // kept and stored, not used for drawing
    TCFont Font;
    bool operator==(const THeaderFooterInfo&) const = default;
};

}  // namespace vorlix
