#include "imaging/OctreeQuantizer.h"

#include <algorithm>
#include <cstdint>
#include <queue>

namespace vorlix {
namespace {

// Beyond this many distinct colours the leaves stop two levels short of full
// depth, which bounds the tree's memory for photographic images.
constexpr std::size_t kFullDepthColorLimit = 65536;

struct TNode {
    std::uint64_t Count = 0;
    std::uint64_t SumR = 0, SumG = 0, SumB = 0;
    // The most frequent single colour below the node and its pixel count.
    std::uint32_t Dominant = 0;
    std::uint64_t DominantCount = 0;
    std::int32_t Child[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    std::uint8_t Level = 0;
    bool Leaf = false;
};

class TOctree {
public:
    explicit TOctree(int leafLevel) : LeafLevel(leafLevel) { Nodes.emplace_back(); }

    void Add(std::uint32_t rgb, std::uint32_t count) {
        const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
        std::int32_t node = 0;
        for (int level = 0;; ++level) {
            Accumulate(node, r, g, b, count);
            if (level == LeafLevel) {
                if (!Nodes[node].Leaf) {
                    Nodes[node].Leaf = true;
                    ++Leaves;
                }
                return;
            }
            const int shift = 7 - level;
            const int branch = (((r >> shift) & 1) << 2) | (((g >> shift) & 1) << 1) | ((b >> shift) & 1);
            if (Nodes[node].Child[branch] < 0) {
                const auto child = static_cast<std::int32_t>(Nodes.size());
                Nodes.emplace_back();
                Nodes.back().Level = static_cast<std::uint8_t>(level + 1);
                Nodes[node].Child[branch] = child;
            }
            node = Nodes[node].Child[branch];
        }
    }

    void ReduceTo(int maxColors) {
        // The deepest inner nodes have only leaves below them; folding those
        // level by level keeps that true for the next level up.
        for (int level = LeafLevel - 1; level >= 0 && Leaves > maxColors; --level) {
            auto fewerPixels = [this](std::int32_t a, std::int32_t b) { return Nodes[a].Count > Nodes[b].Count; };
            std::priority_queue<std::int32_t, std::vector<std::int32_t>, decltype(fewerPixels)> queue(fewerPixels);
            for (std::size_t i = 0; i < Nodes.size(); ++i)
                if (Nodes[i].Level == level && !Nodes[i].Leaf) queue.push(static_cast<std::int32_t>(i));
            while (!queue.empty() && Leaves > maxColors) {
                Fold(queue.top());
                queue.pop();
            }
        }
    }

    std::vector<QRgb> Palette() const {
        std::vector<QRgb> palette;
        CollectLeaves(0, palette);
        return palette;
    }

private:
    void Accumulate(std::int32_t node, int r, int g, int b, std::uint32_t count) {
        TNode& n = Nodes[node];
        n.Count += count;
        n.SumR += static_cast<std::uint64_t>(r) * count;
        n.SumG += static_cast<std::uint64_t>(g) * count;
        n.SumB += static_cast<std::uint64_t>(b) * count;
        if (count > n.DominantCount) {
            n.DominantCount = count;
            n.Dominant = (static_cast<std::uint32_t>(r) << 16) | (g << 8) | b;
        }
    }

    void Fold(std::int32_t node) {
        int children = 0;
        for (std::int32_t& c : Nodes[node].Child) {
            if (c >= 0) ++children;
            c = -1;
        }
        Nodes[node].Leaf = true;
        Leaves -= children - 1;
    }

    // A leaf whose pixels are mostly one colour keeps that colour exactly, so
    // flat areas such as squares map without any dithering error; otherwise
    // the leaf's mean colour.
    void CollectLeaves(std::int32_t node, std::vector<QRgb>& palette) const {
        const TNode& n = Nodes[node];
        if (n.Leaf && n.DominantCount * 2 > n.Count) {
            palette.push_back(0xFF000000u | n.Dominant);
            return;
        }
        if (n.Leaf) {
            const std::uint64_t half = n.Count / 2;
            palette.push_back(qRgb(static_cast<int>((n.SumR + half) / n.Count),
                                   static_cast<int>((n.SumG + half) / n.Count),
                                   static_cast<int>((n.SumB + half) / n.Count)));
            return;
        }
        for (std::int32_t c : n.Child)
            if (c >= 0) CollectLeaves(c, palette);
    }

    std::vector<TNode> Nodes;
    int LeafLevel;
    int Leaves = 0;
};

}  // namespace

std::vector<QRgb> BuildOctreePalette(const std::vector<TColorCount>& colors, int maxColors) {
    maxColors = std::clamp(maxColors, 1, 256);
    TOctree tree(colors.size() > kFullDepthColorLimit ? 6 : 8);
    for (const TColorCount& c : colors) tree.Add(c.Rgb, c.Count);
    tree.ReduceTo(maxColors);
    return tree.Palette();
}

}  // namespace vorlix
