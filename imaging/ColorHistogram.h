#pragma once
// The distinct colours of an image with their pixel counts.
#include <QImage>
#include <cstdint>
#include <vector>

namespace vorlix {

struct TColorCount {
    std::uint32_t Rgb;  // 0x00RRGGBB
    std::uint32_t Count;
};

// Reads a Format_RGB32 image; colours come out in no particular order.
std::vector<TColorCount> CountColors(const QImage& rgb32);

}  // namespace vorlix
