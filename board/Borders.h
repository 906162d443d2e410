#pragma once
// The ordered list of frames around the squares: index 0 is innermost, the last
// index outermost (next to the coordinate bands).
#include <cstdint>
#include <functional>
#include <vector>

#include "board/Colors.h"

namespace vorlix {

struct TBorderInfo {
    int32_t Width = 0;
    TColor TopColor = clBlack;     // top and left edges
    TColor BottomColor = clBlack;  // bottom and right edges
    bool operator==(const TBorderInfo&) const = default;
};
static_assert(sizeof(TBorderInfo) == 12);

class TBorderArray {
public:
    // onChange is called after every change (the board repaints).
    explicit TBorderArray(std::function<void()> onChange = {}) : onChange_(std::move(onChange)) {}

    int Count() const { return int(borders_.size()); }
    // Throws std::out_of_range("Index out of range.") for a bad index.
    void Get(int index, TBorderInfo& border) const;
    TBorderInfo Get(int index) const;
    // Sum of all widths (B of the diagram geometry). Widths come raw from
    // diagram files, so each counts within 0..kMaxWidth and the sum stops at
    // kMaxTotalWidth: a bad file cannot overflow the geometry.
    int TotalWidth() const;
    // The rings a border really draws: its width within 0..kMaxWidth.
    static int EffectiveWidth(const TBorderInfo& border);
    static constexpr int kMaxWidth = 255;
    static constexpr int kMaxTotalWidth = 1024;
    void Add(const TBorderInfo& border);
    void Clear();
    // Replaces the whole list with one change notification.
    void Assign(const std::vector<TBorderInfo>& borders);
    const std::vector<TBorderInfo>& Items() const { return borders_; }

private:
    void Changed();

    std::vector<TBorderInfo> borders_;
    std::function<void()> onChange_;
};

}  // namespace vorlix
