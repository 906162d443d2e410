#pragma once
// A long column of unsigned numbers, each in as few bytes as the largest one
// needs (1, 2, 4 or 8), kept in pages so that growing never copies it whole.
// The first page starts small, so short columns stay small.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace vorlix {

class TPackedColumn {
public:
    void Push(uint64_t value);
    uint64_t Get(size_t i) const;
    size_t Size() const { return size_; }
    int Width() const { return width_; }

    void Clear();
    size_t MemoryUsed() const;

private:
    void Widen(int width);
    void MakeRoom();
    void Repage(size_t p, size_t capacity, int width);

    int width_ = 1;
    size_t size_ = 0;
    size_t lastCapacity_ = 0;  // entries the last page has room for
    std::vector<std::unique_ptr<uint8_t[]>> pages_;
};

}  // namespace vorlix
