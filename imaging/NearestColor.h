#pragma once
// Finds the palette entry nearest to a colour (squared RGB distance), with a
// cache so that the many repeated colours of a diagram cost one lookup each.
#include <QColor>
#include <cstdint>
#include <vector>

namespace vorlix {

class TNearestColor {
public:
    explicit TNearestColor(const std::vector<QRgb>& palette);

    // Channels must be in 0..255.
    int IndexOf(int r, int g, int b) {
        const std::uint32_t key = (static_cast<std::uint32_t>(r) << 16) | (g << 8) | b;
        const std::uint32_t slot = (key * 2654435761u) >> (32 - kCacheBits);
        if (CacheKeys[slot] != key) {
            CacheKeys[slot] = key;
            CacheIndex[slot] = static_cast<std::uint8_t>(Search(r, g, b));
        }
        return CacheIndex[slot];
    }

private:
    static constexpr int kCacheBits = 14;

    int Search(int r, int g, int b) const;

    struct TEntry {
        int R, G, B;
        int Index;
    };
    std::vector<TEntry> ByGreen;  // the palette sorted by green, searched outwards from g
    std::vector<std::uint32_t> CacheKeys;
    std::vector<std::uint8_t> CacheIndex;
};

}  // namespace vorlix
