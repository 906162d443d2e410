#include "files/StringPool.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>

namespace vorlix {

namespace {

constexpr size_t kFirstBlockSize = 256;
constexpr size_t kBlockSize = 64 << 10;
constexpr size_t kFirstSlots = 64;

// A text is stored as its length (7 bits a byte, low bits first, the high bit
// set while more follow) and its bytes.
size_t LengthSize(size_t n) {
    size_t size = 1;
    for (; n >= 0x80; n >>= 7) ++size;
    return size;
}

char* PutLength(char* out, size_t n) {
    for (; n >= 0x80; n >>= 7) *out++ = static_cast<char>((n & 0x7F) | 0x80);
    *out++ = static_cast<char>(n);
    return out;
}

const char* GetLength(const char* in, size_t& n) {
    n = 0;
    for (int shift = 0;; shift += 7) {
        const auto b = static_cast<unsigned char>(*in++);
        n |= static_cast<size_t>(b & 0x7F) << shift;
        if (!(b & 0x80)) return in;
    }
}

size_t HashOf(std::string_view text) { return std::hash<std::string_view>{}(text); }

}  // namespace

void TStringPool::Clear() {
    where_.clear();
    where_.shrink_to_fit();
    blocks_.clear();
    blocks_.shrink_to_fit();
    blockUsed_ = blockSize_ = bytesHeld_ = 0;
    slots_.clear();
    slots_.shrink_to_fit();
}

void TStringPool::Seal() {
    slots_.clear();
    slots_.shrink_to_fit();
    where_.shrink_to_fit();
}

size_t TStringPool::MemoryUsed() const {
    return where_.capacity() * sizeof(uint64_t) + bytesHeld_ + slots_.capacity() * sizeof(uint64_t);
}

std::string_view TStringPool::Text(uint32_t id) const {
    const uint64_t where = where_[id];
    size_t n = 0;
    const char* text = GetLength(blocks_[where >> 32].get() + (where & 0xFFFFFFFFu), n);
    return {text, n};
}

uint32_t TStringPool::Find(std::string_view text, size_t hash, size_t& slot) const {
    const size_t mask = slots_.size() - 1;
    const uint64_t check = static_cast<uint64_t>(hash) >> 32 << 32;
    for (slot = hash & mask;; slot = (slot + 1) & mask) {
        const uint64_t entry = slots_[slot];
        if (entry == 0) return 0;
        // Only texts of the same hash are compared.
        const auto id = static_cast<uint32_t>(entry);
        if ((entry & ~uint64_t{0xFFFFFFFF}) == check && Text(id - 1) == text) return id;
    }
}

uint64_t TStringPool::SlotEntry(size_t hash, uint32_t id) {
    return static_cast<uint64_t>(hash) >> 32 << 32 | (static_cast<uint64_t>(id) + 1);
}

void TStringPool::Rehash(size_t slots) {
    slots_.assign(slots, 0);
    size_t slot = 0;
    for (uint32_t id = 0; id < Count(); ++id) {
        const std::string_view text = Text(id);
        const size_t hash = HashOf(text);
        Find(text, hash, slot);
        slots_[slot] = SlotEntry(hash, id);
    }
}

uint64_t TStringPool::Store(std::string_view text) {
    const size_t size = LengthSize(text.size()) + text.size();
    if (blocks_.empty() || blockUsed_ + size > blockSize_) {
        // Blocks grow with the pool, so that small pools stay small; a text
        // longer than a block gets a block of its own.
        blockSize_ = std::max(size, std::clamp(bytesHeld_, kFirstBlockSize, kBlockSize));
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(blockSize_));
        bytesHeld_ += blockSize_;
        blockUsed_ = 0;
    }
    const uint64_t where = (static_cast<uint64_t>(blocks_.size() - 1) << 32) | blockUsed_;
    char* out = PutLength(blocks_.back().get() + blockUsed_, text.size());
    std::memcpy(out, text.data(), text.size());
    blockUsed_ += size;
    return where;
}

uint32_t TStringPool::Intern(std::string_view text) {
    // At most half the slots are taken, so a search always meets a free one.
    if (slots_.size() < 2 * (static_cast<size_t>(Count()) + 1))
        Rehash(std::max(kFirstSlots, std::bit_ceil(4 * (static_cast<size_t>(Count()) + 1))));
    size_t slot = 0;
    const size_t hash = HashOf(text);
    if (const uint32_t entry = Find(text, hash, slot)) return entry - 1;
    where_.push_back(Store(text));
    slots_[slot] = SlotEntry(hash, Count() - 1);
    return Count() - 1;
}

}  // namespace vorlix
