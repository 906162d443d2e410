#include "imaging/LzwEncoder.h"

#include <algorithm>
#include <array>
#include <memory>

#include "imaging/GifCodeStream.h"
#include "imaging/ThreadScratch.h"

namespace vorlix {
namespace {

// The table holds codes up to 4095 and is cleared when it is full, as the
// common encoders do (giflib clears one entry earlier, which costs a few bytes).
constexpr unsigned kLastCode = 4096;
constexpr int kWidestCode = 12;

// The string table. A string extended by the pixel it already ends in joins
// a chain (s, sc, scc, ...) kept as an array, so that a run of one colour
// walks its chain by indexing instead of pixel by pixel; a string extended by
// another pixel starts a chain of its own (it is the chain's head) and is
// found through a small open-addressing hash of (prefix, pixel). Every walk
// starts at a head: at a root, or where the hash led.
class TStringTable {
public:
    void Clear(unsigned roots) {
        // Only the slots taken since the last clear: a frame clears its table
        // a few times, and most of the hash is empty each time.
        for (unsigned i = 0; i < usedCount_; ++i) slots_[used_[i]] = kEmpty;
        usedCount_ = 0;
        poolUsed_ = 0;
        for (unsigned p = 0; p < roots; ++p) StartChain(p);
    }

    // The code of `prefix` + `pixel` where pixel differs from the prefix's
    // last pixel, or 0 when that string is not in the table.
    unsigned FindOther(unsigned prefix, unsigned pixel) const {
        const std::uint32_t key = Key(prefix, pixel);
        for (std::uint32_t slot = Hash(key);; slot = (slot + 1) & kMask) {
            const std::uint32_t entry = slots_[slot];
            if (entry == kEmpty) return 0;
            if ((entry >> 12) == key) return entry & 0xFFF;
        }
    }

    void AddOther(unsigned prefix, unsigned pixel, unsigned code) {
        const std::uint32_t key = Key(prefix, pixel);
        std::uint32_t slot = Hash(key);
        while (slots_[slot] != kEmpty) slot = (slot + 1) & kMask;
        slots_[slot] = (key << 12) | code;
        used_[usedCount_++] = static_cast<std::uint16_t>(slot);
        StartChain(code);
    }

    // Follows the chain of `head` up to `steps` pixels of its colour; returns
    // the code reached and lowers steps by the pixels taken.
    unsigned Walk(unsigned head, std::size_t& steps) const {
        const TChain chain = chains_[head];
        const std::size_t taken = std::min<std::size_t>(chain.Length - 1u, steps);
        steps -= taken;
        return pool_[chain.Start + taken];
    }

    // Appends `child` to the chain of `head`, whose last code it extends.
    void AddSame(unsigned head, unsigned child) {
        TChain& chain = chains_[head];
        if (chain.Length >= kFirstCapacity && (chain.Length & (chain.Length - 1)) == 0) {
            // The chain is full: move it to the end of the pool with twice the room.
            const std::uint16_t start = Reserve(2u * chain.Length);
            std::copy_n(pool_.begin() + chain.Start, chain.Length, pool_.begin() + start);
            chain.Start = start;
        }
        pool_[chain.Start + chain.Length++] = static_cast<std::uint16_t>(child);
    }

private:
    static constexpr int kBits = 13;  // twice the largest table: short probes, and it stays in the cache
    static constexpr std::uint32_t kMask = (1u << kBits) - 1;
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;  // no (key, code) packs to this
    static constexpr std::uint16_t kFirstCapacity = 4;

    // A chain's room is kFirstCapacity entries, doubled whenever it fills.
    struct TChain {
        std::uint16_t Start, Length;
    };

    static std::array<std::uint32_t, 1u << kBits> MakeEmpty() {
        std::array<std::uint32_t, 1u << kBits> slots;
        slots.fill(kEmpty);
        return slots;
    }

    static std::uint32_t Key(unsigned prefix, unsigned pixel) { return (prefix << 8) | pixel; }
    static std::uint32_t Hash(std::uint32_t key) { return (key * 2654435761u) >> (32 - kBits); }

    void StartChain(unsigned code) {
        chains_[code] = {Reserve(kFirstCapacity), 1};
        pool_[chains_[code].Start] = static_cast<std::uint16_t>(code);
    }

    std::uint16_t Reserve(unsigned entries) {
        const unsigned start = poolUsed_;
        poolUsed_ += entries;
        return static_cast<std::uint16_t>(start);
    }

    std::array<std::uint32_t, 1u << kBits> slots_ = MakeEmpty();
    std::array<std::uint16_t, kLastCode + 1> used_;  // the slots taken, in order
    unsigned usedCount_ = 0;
    std::array<TChain, kLastCode + 1> chains_;  // by head code
    // Every chain's room. Doubling on the way, a chain of n codes has taken
    // at most 4n entries, so all chains together at most 4 x 4096; twice that
    // leaves a margin and still fits 16-bit starts.
    std::array<std::uint16_t, 8 * (kLastCode + 1)> pool_;
    unsigned poolUsed_ = 0;
};

// The codes of the whole frame, run by run. Widths grow after a code is
// written once the next free code no longer fits, as giflib does.
void CompressCodes(const std::uint8_t* pixels, std::size_t count, int rootBits, TCodePacker& packer) {
    const unsigned clearCode = 1u << rootBits, endCode = clearCode + 1;
    // One table per thread, kept: batch runs encode thousands of frames.
    TStringTable& table = TThreadScratch<TStringTable>::Get();
    unsigned next = endCode + 1;
    int width = rootBits + 1;
    unsigned limit = 1u << width;
    auto put = [&](unsigned code) {
        packer.Put(code, width);
        if (next >= limit && width < kWidestCode) limit = 1u << ++width;
    };
    auto restart = [&] {
        table.Clear(clearCode);
        next = endCode + 1;
        width = rootBits + 1;
        limit = 1u << width;
    };
    // Writes `current`, enters its extension (unless the table is full, which
    // clears it instead) and starts again from the root `pixel`.
    auto emit = [&](unsigned current, unsigned pixel, unsigned head, bool same) {
        put(current);
        if (next >= kLastCode) {
            put(clearCode);
            restart();
        } else if (same) {
            table.AddSame(head, next++);
        } else {
            table.AddOther(current, pixel, next++);
        }
        return pixel;
    };
    restart();
    put(clearCode);
    unsigned current = pixels[0];
    ForEachRun(pixels, count, [&](std::size_t first, std::size_t steps) {
        const unsigned color = pixels[first];
        if (first > 0) {
            // The run's first pixel differs from the last one of `current`.
            const unsigned code = table.FindOther(current, color);
            current = code ? code : emit(current, color, 0, false);
        }
        --steps;
        while (true) {
            const unsigned head = current;
            current = table.Walk(head, steps);
            if (steps == 0) break;
            current = emit(current, color, head, true);
            --steps;
        }
    });
    put(current);
    put(endCode);
    packer.Finish();
}

}  // namespace

void AppendLzwImageData(const std::uint8_t* pixels, std::size_t count, int bitsPerPixel,
                        std::vector<std::uint8_t>& out) {
    AppendCodedImageData(count, bitsPerPixel, out,
                         [&](int rootBits, TCodePacker& packer) { CompressCodes(pixels, count, rootBits, packer); });
}

}  // namespace vorlix
