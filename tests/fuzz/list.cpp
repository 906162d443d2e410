// The typed position lists: no crash on any text; a text that is not valid
// gives an empty list; a parsed list keeps its ranges ascending, disjoint and
// apart, counts what they hold, and is the same set whatever the order its
// ranges are added in.
#include <cstdlib>
#include <limits>
#include <string>

#include "FuzzTarget.h"
#include "batch/PositionList.h"

using namespace vorlix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TIntegerList list;
    std::string error;
    const bool parsed = ParsePositionText(text, list, error);
    if (!IsValidPositionText(text) && !list.Empty()) std::abort();
    if (!parsed) return 0;

    int64_t count = 0;
    const auto& ranges = list.Ranges();
    for (size_t i = 0; i < ranges.size(); ++i) {
        const auto& r = ranges[i];
        if (r.Lo > r.Hi) std::abort();
        if (i > 0 && int64_t(ranges[i - 1].Hi) + 1 >= r.Lo) std::abort();  // must not touch
        if (!list.Contains(r.Lo) || !list.Contains(r.Hi)) std::abort();
        if (r.Lo > std::numeric_limits<int32_t>::min() && list.Contains(r.Lo - 1)) std::abort();
        count += int64_t(r.Hi) - r.Lo + 1;
    }
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();
    if (list.Count() != count || list.CountIn(kMin, kMax) != count) std::abort();

    TIntegerList reversed;
    for (auto r = ranges.rbegin(); r != ranges.rend(); ++r) reversed.AddRange(r->Hi, r->Lo);
    if (reversed.Ranges() != ranges) std::abort();
    TIntegerList again;
    if (!ParsePositionText(text, again, error) || again.Ranges() != ranges) std::abort();
    return 0;
}
