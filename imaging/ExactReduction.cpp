#include "imaging/ExactReduction.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "imaging/ColorHistogram.h"

namespace vorlix {
namespace {

// The distinct colours met so far, each with its slot (order of meeting) and
// pixel count; open addressing over at most 256 colours.
class TColorSlots {
public:
    // The colour's slot, a new one for a new colour; -1 when that would be
    // one colour too many.
    int SlotOf(std::uint32_t rgb, int maxColors) {
        std::uint32_t at = (rgb * 2654435761u) >> (32 - kBits);
        while (keys_[at] != kEmpty) {
            if (keys_[at] == rgb) return slot_[at];
            at = (at + 1) & kMask;
        }
        if (static_cast<int>(Colors.size()) >= maxColors) return -1;
        keys_[at] = rgb;
        slot_[at] = static_cast<std::uint8_t>(Colors.size());
        Colors.push_back({rgb, 0});
        return slot_[at];
    }

    std::vector<TColorCount> Colors;

private:
    static constexpr int kBits = 10;  // four times the most colours
    static constexpr std::uint32_t kMask = (1u << kBits) - 1;
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;

    std::array<std::uint32_t, 1u << kBits> keys_ = MakeEmpty();
    std::array<std::uint8_t, 1u << kBits> slot_{};

    static std::array<std::uint32_t, 1u << kBits> MakeEmpty() {
        std::array<std::uint32_t, 1u << kBits> keys;
        keys.fill(kEmpty);
        return keys;
    }
};

// A run of one colour in the image, in pixel order; a row equal to the one
// above is one entry with Length 0.
struct TRun {
    std::uint32_t Length;
    std::uint8_t Slot;
};

const QRgb* RgbRow(const QImage& rgb32, int y) { return reinterpret_cast<const QRgb*>(rgb32.constScanLine(y)); }

// Where the run of row[x]'s colour ends; compares two pixels at a time.
int RunEnd(const QRgb* row, int x, int width) {
    const QRgb color = row[x];
    const std::uint64_t pair = (static_cast<std::uint64_t>(color) << 32) | color;
    int end = x + 1;
    for (; end + 2 <= width; end += 2) {
        std::uint64_t two;
        std::memcpy(&two, row + end, 8);
        if (two != pair) return row[end] == color ? end + 1 : end;
    }
    return end < width && row[end] == color ? end + 1 : end;
}

// Splits a row into runs; false when it holds one colour too many.
bool ScanRow(const QRgb* row, int width, int maxColors, TColorSlots& colors, std::vector<TRun>& runs) {
    for (int x = 0; x < width;) {
        const QRgb color = row[x];
        const int end = RunEnd(row, x, width);
        const int slot = colors.SlotOf(color & 0x00FFFFFFu, maxColors);
        if (slot < 0) return false;
        colors.Colors[slot].Count += static_cast<std::uint32_t>(end - x);
        runs.push_back({static_cast<std::uint32_t>(end - x), static_cast<std::uint8_t>(slot)});
        x = end;
    }
    return true;
}

// The octree's leaf order: its branches go by one bit of red, green and blue
// at a time from the top, so the leaves come in the order of the colours'
// bits interleaved that way.
std::uint32_t OctreeOrder(std::uint32_t rgb) {
    std::uint32_t key = 0;
    for (int bit = 7; bit >= 0; --bit)
        key = (key << 3) | (((rgb >> (16 + bit)) & 1) << 2) | (((rgb >> (8 + bit)) & 1) << 1) | ((rgb >> bit) & 1);
    return key;
}

// The palette the octree quantiser gives when every colour is a leaf of its own.
std::vector<QRgb> LeafPalette(const std::vector<TColorCount>& colors) {
    std::vector<std::pair<std::uint32_t, QRgb>> ordered;
    ordered.reserve(colors.size());
    for (const TColorCount& c : colors) ordered.emplace_back(OctreeOrder(c.Rgb), 0xFF000000u | c.Rgb);
    std::sort(ordered.begin(), ordered.end());
    std::vector<QRgb> palette;
    palette.reserve(ordered.size());
    for (const auto& entry : ordered) palette.push_back(entry.second);
    return palette;
}

}  // namespace

std::optional<TIndexedImage> ReduceExactly(const QImage& image, int maxColors) {
    const QImage src = AsRgb32(image);
    const int width = src.width(), height = src.height();
    if (width == 0 || height == 0 || maxColors < 1 || maxColors > 256) return std::nullopt;
    TColorSlots colors;
    std::vector<TRun> runs;
    runs.reserve(4096);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * sizeof(QRgb);
    std::size_t lastRowBegin = 0, lastRowEnd = 0;  // the runs of the last row scanned
    for (int y = 0; y < height; ++y) {
        const QRgb* row = RgbRow(src, y);
        if (y > 0 && std::memcmp(row, RgbRow(src, y - 1), rowBytes) == 0) {
            // Rows repeat down every square.
            for (std::size_t r = lastRowBegin; r < lastRowEnd; ++r) colors.Colors[runs[r].Slot].Count += runs[r].Length;
            runs.push_back({0, 0});
            continue;
        }
        lastRowBegin = runs.size();
        if (!ScanRow(row, width, maxColors, colors, runs)) return std::nullopt;
        lastRowEnd = runs.size();
    }

    TIndexedImage out;
    out.Width = width;
    out.Height = height;
    out.Palette = LeafPalette(colors.Colors);
    std::array<std::uint8_t, 256> index{};  // by slot
    for (std::size_t p = 0; p < out.Palette.size(); ++p)
        index[colors.SlotOf(out.Palette[p] & 0x00FFFFFFu, maxColors)] = static_cast<std::uint8_t>(p);
    out.Pixels.resize(static_cast<std::size_t>(width) * height);
    std::uint8_t* at = out.Pixels.data();
    for (const TRun& run : runs) {
        if (run.Length == 0) {
            std::memcpy(at, at - width, static_cast<std::size_t>(width));
            at += width;
        } else {
            std::memset(at, index[run.Slot], run.Length);
            at += run.Length;
        }
    }
    return out;
}

}  // namespace vorlix
