#include "imaging/PaletteCompaction.h"

#include <array>

namespace vorlix {

void DropUnusedColors(TIndexedImage& image) {
    std::array<bool, 256> used{};
    for (std::uint8_t p : image.Pixels) used[p] = true;
    std::array<std::uint8_t, 256> newIndex{};
    std::vector<QRgb> palette;
    for (std::size_t i = 0; i < image.Palette.size(); ++i) {
        if (!used[i]) continue;
        newIndex[i] = static_cast<std::uint8_t>(palette.size());
        palette.push_back(image.Palette[i]);
    }
    if (palette.size() == image.Palette.size()) return;
    for (std::uint8_t& p : image.Pixels) p = newIndex[p];
    image.Palette = std::move(palette);
}

}  // namespace vorlix
