#include "files/PackedColumn.h"

#include <algorithm>
#include <cstring>

namespace vorlix {

namespace {

constexpr int kPageBits = 14;
constexpr size_t kPageEntries = size_t{1} << kPageBits;
constexpr size_t kFirstCapacity = 256;

int WidthFor(uint64_t value) {
    if (value <= 0xFF) return 1;
    if (value <= 0xFFFF) return 2;
    if (value <= 0xFFFFFFFFu) return 4;
    return 8;
}

uint64_t Load(const uint8_t* at, int width) {
    switch (width) {
        case 1: return *at;
        case 2: {
            uint16_t v;
            std::memcpy(&v, at, 2);
            return v;
        }
        case 4: {
            uint32_t v;
            std::memcpy(&v, at, 4);
            return v;
        }
        default: {
            uint64_t v;
            std::memcpy(&v, at, 8);
            return v;
        }
    }
}

void Save(uint8_t* at, int width, uint64_t value) {
    switch (width) {
        case 1: *at = static_cast<uint8_t>(value); break;
        case 2: {
            const auto v = static_cast<uint16_t>(value);
            std::memcpy(at, &v, 2);
            break;
        }
        case 4: {
            const auto v = static_cast<uint32_t>(value);
            std::memcpy(at, &v, 4);
            break;
        }
        default: std::memcpy(at, &value, 8);
    }
}

}  // namespace

void TPackedColumn::Clear() {
    pages_.clear();
    pages_.shrink_to_fit();
    size_ = lastCapacity_ = 0;
    width_ = 1;
}

size_t TPackedColumn::MemoryUsed() const {
    if (pages_.empty()) return 0;
    return ((pages_.size() - 1) * kPageEntries + lastCapacity_) * static_cast<size_t>(width_);
}

uint64_t TPackedColumn::Get(size_t i) const {
    return Load(pages_[i >> kPageBits].get() + (i & (kPageEntries - 1)) * static_cast<size_t>(width_), width_);
}

// Copies page p into a new one of the given capacity and width.
void TPackedColumn::Repage(size_t p, size_t capacity, int width) {
    auto page = std::make_unique_for_overwrite<uint8_t[]>(capacity * static_cast<size_t>(width));
    const size_t used = std::min(kPageEntries, size_ - p * kPageEntries);
    for (size_t i = 0; i < used; ++i)
        Save(page.get() + i * static_cast<size_t>(width), width,
             Load(pages_[p].get() + i * static_cast<size_t>(width_), width_));
    pages_[p] = std::move(page);
}

void TPackedColumn::Widen(int width) {
    // Page by page, so that only one extra page is held at a time.
    for (size_t p = 0; p < pages_.size(); ++p) Repage(p, p + 1 < pages_.size() ? kPageEntries : lastCapacity_, width);
    width_ = width;
}

void TPackedColumn::MakeRoom() {
    if (pages_.empty()) {
        lastCapacity_ = kFirstCapacity;
        pages_.push_back(std::make_unique_for_overwrite<uint8_t[]>(lastCapacity_ * static_cast<size_t>(width_)));
    } else if (lastCapacity_ < kPageEntries) {
        lastCapacity_ *= 2;
        Repage(pages_.size() - 1, lastCapacity_, width_);
    } else {
        pages_.push_back(std::make_unique_for_overwrite<uint8_t[]>(kPageEntries * static_cast<size_t>(width_)));
    }
}

void TPackedColumn::Push(uint64_t value) {
    if (const int width = WidthFor(value); width > width_) Widen(width);
    if (pages_.empty() || size_ == (pages_.size() - 1) * kPageEntries + lastCapacity_) MakeRoom();
    Save(pages_.back().get() + (size_ & (kPageEntries - 1)) * static_cast<size_t>(width_), width_, value);
    ++size_;
}

}  // namespace vorlix
