#pragma once
// One of the four highlight settings: the colour and whether it merges with the square.
#include "board/Colors.h"

namespace vorlix {

struct THighlightOption {
    TColor Color = clBlack;
    bool Merge = false;
    bool operator==(const THighlightOption&) const = default;
};

}  // namespace vorlix
