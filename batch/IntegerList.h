#pragma once
// A set of 32-bit integers kept as sorted, disjoint, non-adjacent intervals,
// so a typed range such as 1-2000000000 costs two numbers, not two billion.
#include <cstdint>
#include <vector>

namespace vorlix {

class TIntegerList {
public:
    // Adds n unless it is already present (the set never holds duplicates).
    void AddUnique(int32_t n) { AddRange(n, n); }
    // Adds every number from lo to hi (swapped first when hi < lo).
    void AddRange(int32_t lo, int32_t hi);
    bool Contains(int32_t n) const;
    // How many numbers of lo..hi the set holds.
    int64_t CountIn(int32_t lo, int32_t hi) const;
    int64_t Count() const;
    bool Empty() const { return ranges_.empty(); }
    void Clear() { ranges_.clear(); }

    struct TRange {
        int32_t Lo, Hi;
        bool operator==(const TRange&) const = default;
    };
    // Ascending, disjoint and never touching each other.
    const std::vector<TRange>& Ranges() const { return ranges_; }

private:
    std::vector<TRange> ranges_;
};

}  // namespace vorlix
