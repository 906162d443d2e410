#include "batch/IntegerList.h"

#include <algorithm>
#include <utility>

namespace vorlix {

void TIntegerList::AddRange(int32_t lo, int32_t hi) {
    if (hi < lo) std::swap(lo, hi);
    // First range that ends at or after lo - 1 (it may touch or overlap the new one).
    auto first = std::lower_bound(ranges_.begin(), ranges_.end(), lo,
                                  [](const TRange& r, int32_t value) { return int64_t(r.Hi) + 1 < value; });
    auto last = first;
    int32_t newLo = lo, newHi = hi;
    while (last != ranges_.end() && int64_t(last->Lo) <= int64_t(hi) + 1) {
        newLo = std::min(newLo, last->Lo);
        newHi = std::max(newHi, last->Hi);
        ++last;
    }
    first = ranges_.erase(first, last);
    ranges_.insert(first, TRange{newLo, newHi});
}

bool TIntegerList::Contains(int32_t n) const {
    auto it = std::lower_bound(ranges_.begin(), ranges_.end(), n,
                               [](const TRange& r, int32_t value) { return r.Hi < value; });
    return it != ranges_.end() && it->Lo <= n;
}

int64_t TIntegerList::CountIn(int32_t lo, int32_t hi) const {
    int64_t count = 0;
    for (const TRange& r : ranges_) {
        const int64_t a = std::max(r.Lo, lo), b = std::min(r.Hi, hi);
        if (a <= b) count += b - a + 1;
    }
    return count;
}

int64_t TIntegerList::Count() const {
    int64_t count = 0;
    for (const TRange& r : ranges_) count += int64_t(r.Hi) - r.Lo + 1;
    return count;
}

}  // namespace vorlix
