#include "imaging/NearestColor.h"

#include <algorithm>
#include <climits>

namespace vorlix {

TNearestColor::TNearestColor(const std::vector<QRgb>& palette)
    : CacheKeys(std::size_t{1} << kCacheBits, 0xFFFFFFFFu), CacheIndex(std::size_t{1} << kCacheBits, 0) {
    ByGreen.reserve(palette.size());
    for (std::size_t i = 0; i < palette.size() && i < 256; ++i)
        ByGreen.push_back({qRed(palette[i]), qGreen(palette[i]), qBlue(palette[i]), static_cast<int>(i)});
    std::stable_sort(ByGreen.begin(), ByGreen.end(), [](const TEntry& a, const TEntry& b) { return a.G < b.G; });
}

// Walks outwards from the entries of equal green; a side stops as soon as its
// green distance alone is no better than the best match so far.
int TNearestColor::Search(int r, int g, int b) const {
    if (ByGreen.empty()) return 0;
    const int n = static_cast<int>(ByGreen.size());
    int up = static_cast<int>(
        std::lower_bound(ByGreen.begin(), ByGreen.end(), g, [](const TEntry& e, int v) { return e.G < v; }) -
        ByGreen.begin());
    int down = up - 1;
    int best = INT_MAX;
    int bestIndex = ByGreen[std::min(up, n - 1)].Index;
    auto consider = [&](const TEntry& e) {
        const int dr = e.R - r, dg = e.G - g, db = e.B - b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < best || (d == best && e.Index < bestIndex)) {
            best = d;
            bestIndex = e.Index;
        }
    };
    while (up < n || down >= 0) {
        if (up < n) {
            const int dg = ByGreen[up].G - g;
            if (dg * dg > best)
                up = n;
            else
                consider(ByGreen[up++]);
        }
        if (down >= 0) {
            const int dg = g - ByGreen[down].G;
            if (dg * dg > best)
                down = -1;
            else
                consider(ByGreen[down--]);
        }
    }
    return bestIndex;
}

}  // namespace vorlix
