#include "imaging/ColorHistogram.h"

namespace vorlix {
namespace {

// Open-addressing table keyed by the colour; empty slots hold kEmpty, which no
// 24-bit colour equals.
class TColorTable {
public:
    TColorTable() : Keys(kInitialSize, kEmpty), Counts(kInitialSize, 0) {}

    std::uint32_t& CountOf(std::uint32_t rgb) {
        std::size_t slot = Find(rgb);
        if (Keys[slot] == kEmpty) {
            if ((Used + 1) * 2 > Keys.size()) {
                Grow();
                slot = Find(rgb);
            }
            Keys[slot] = rgb;
            ++Used;
        }
        return Counts[slot];
    }

    std::vector<TColorCount> Entries() const {
        std::vector<TColorCount> out;
        out.reserve(Used);
        for (std::size_t i = 0; i < Keys.size(); ++i)
            if (Keys[i] != kEmpty) out.push_back({Keys[i], Counts[i]});
        return out;
    }

private:
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
    static constexpr std::size_t kInitialSize = 4096;

    std::size_t Find(std::uint32_t rgb) const {
        const std::size_t mask = Keys.size() - 1;
        std::size_t slot = (rgb * 2654435761u) & mask;
        while (Keys[slot] != kEmpty && Keys[slot] != rgb) slot = (slot + 1) & mask;
        return slot;
    }

    void Grow() {
        std::vector<std::uint32_t> oldKeys(Keys.size() * 2, kEmpty), oldCounts(Keys.size() * 2, 0);
        oldKeys.swap(Keys);  // Keys is now the larger empty table
        oldCounts.swap(Counts);
        for (std::size_t i = 0; i < oldKeys.size(); ++i) {
            if (oldKeys[i] == kEmpty) continue;
            const std::size_t slot = Find(oldKeys[i]);
            Keys[slot] = oldKeys[i];
            Counts[slot] = oldCounts[i];
        }
    }

    std::vector<std::uint32_t> Keys;
    std::vector<std::uint32_t> Counts;
    std::size_t Used = 0;
};

}  // namespace

std::vector<TColorCount> CountColors(const QImage& rgb32) {
    TColorTable table;
    for (int y = 0; y < rgb32.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        int x = 0;
        const int w = rgb32.width();
        while (x < w) {
            // Diagrams are mostly runs of one colour: count a run with one lookup.
            const QRgb c = row[x];
            int end = x + 1;
            while (end < w && row[end] == c) ++end;
            table.CountOf(c & 0x00FFFFFFu) += static_cast<std::uint32_t>(end - x);
            x = end;
        }
    }
    return table.Entries();
}

}  // namespace vorlix
