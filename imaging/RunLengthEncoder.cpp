#include "imaging/RunLengthEncoder.h"

#include <algorithm>
#include <array>
#include <memory>

#include "imaging/GifCodeStream.h"
#include "imaging/ThreadScratch.h"

namespace vorlix {
namespace {

constexpr int kWidestCode = 12;

// The next entry at which the table is cleared. A bigger table keeps longer
// runs but widens every code, and most entries (a run's end followed by
// another colour) are never used; these sizes gave the smallest files over
// ordinary diagrams at each depth (monochrome ones are mostly dot patterns of
// short runs). Always a margin below 4096 entries: decoders differ on a full table.
unsigned ClearLimit(int rootBits) {
    if (rootBits <= 2) return 64;
    if (rootBits <= 4) return 512;
    return 1024;
}

// Writes runs of colour and keeps the decoder's view of the stream: its next
// entry, its code width and, per colour c, the codes of c, cc, ccc, ... that
// its table holds. Those lengths are always 1..n without a gap, since a new
// run entry is one pixel longer than a code already written.
class TRunCoder {
    // By colour, the codes of its runs by length - 1.
    using TRuns = std::array<std::vector<std::uint16_t>, 256>;

    // Kept per thread with their room: batch runs encode thousands of frames.
    static TRuns& RunsOfThread() { return TThreadScratch<TRuns>::Get(); }

public:
    TRunCoder(int rootBits, TCodePacker& packer)
        : packer_(packer),
          rootBits_(rootBits),
          clearCode_(1u << rootBits),
          clearAt_(ClearLimit(rootBits)),
          width_(rootBits + 1),
          runs_(RunsOfThread()) {
        for (unsigned color = 0; color < clearCode_; ++color) runs_[color].assign(1, static_cast<std::uint16_t>(color));
        Clear();
    }

    void PutRun(unsigned color, std::size_t length) {
        std::vector<std::uint16_t>& runs = runs_[color];
        while (length > 0) {
            if (next_ >= clearAt_) Clear();
            const std::size_t known = runs.size();
            if (previous_.Color == color && previous_.Length == known && length > known) {
                // The entry the decoder makes on reading this very code: one pixel longer.
                Put(next_, color, known + 1);
                length -= known + 1;
            } else {
                const std::size_t taken = std::min(length, known);
                Put(runs[taken - 1], color, taken);
                length -= taken;
            }
        }
    }

    void Finish() {
        packer_.Put(clearCode_ + 1, width_);
        packer_.Finish();
    }

private:
    struct TCode {
        unsigned Color;
        std::size_t Length;  // 0: none since the last clear
    };

    void Clear() {
        packer_.Put(clearCode_, width_);
        for (unsigned color = 0; color < clearCode_; ++color) runs_[color].resize(1);
        next_ = clearCode_ + 2;
        width_ = rootBits_ + 1;
        previous_ = {0, 0};
    }

    // Writes a code for `length` pixels of `color` and makes the decoder's
    // entry: the previous string plus this one's first pixel.
    void Put(unsigned code, unsigned color, std::size_t length) {
        packer_.Put(code, width_);
        if (previous_.Length > 0) {
            std::vector<std::uint16_t>& runs = runs_[color];
            if (previous_.Color == color && previous_.Length == runs.size())
                runs.push_back(static_cast<std::uint16_t>(next_));
            ++next_;
            if (next_ == (1u << width_) && width_ < kWidestCode) ++width_;
        }
        previous_ = {color, length};
    }

    TCodePacker& packer_;
    const int rootBits_;
    const unsigned clearCode_;
    const unsigned clearAt_;
    unsigned next_ = 0;
    int width_;
    TCode previous_{0, 0};
    TRuns& runs_;
};

}  // namespace

void AppendRunLengthImageData(const std::uint8_t* pixels, std::size_t count, int bitsPerPixel,
                              std::vector<std::uint8_t>& out) {
    AppendCodedImageData(count, bitsPerPixel, out, [&](int rootBits, TCodePacker& packer) {
        TRunCoder coder(rootBits, packer);
        ForEachRun(pixels, count, [&](std::size_t first, std::size_t length) { coder.PutRun(pixels[first], length); });
        coder.Finish();
    });
}

}  // namespace vorlix
