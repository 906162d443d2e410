#include "board/Borders.h"

#include <algorithm>
#include <stdexcept>

namespace vorlix {

void TBorderArray::Get(int index, TBorderInfo& border) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("Index out of range.");
    border = borders_[size_t(index)];
}

TBorderInfo TBorderArray::Get(int index) const {
    TBorderInfo border;
    Get(index, border);
    return border;
}

int TBorderArray::EffectiveWidth(const TBorderInfo& border) { return std::clamp(int(border.Width), 0, kMaxWidth); }

int TBorderArray::TotalWidth() const {
    int total = 0;
    for (const auto& b : borders_) total = std::min(total + EffectiveWidth(b), kMaxTotalWidth);
    return total;
}

void TBorderArray::Add(const TBorderInfo& border) {
    borders_.push_back(border);
    Changed();
}

void TBorderArray::Clear() {
    borders_.clear();
    Changed();
}

void TBorderArray::Assign(const std::vector<TBorderInfo>& borders) {
    borders_ = borders;
    Changed();
}

void TBorderArray::Changed() {
    if (onChange_) onChange_();
}

}  // namespace vorlix
