#include "imaging/GifCodeStream.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace vorlix {

int RootBitsOf(int bitsPerPixel) { return std::clamp(bitsPerPixel, 2, 8); }

// Compares eight pixels at a time.
std::size_t RunLength(const std::uint8_t* pixels, std::size_t at, std::size_t count) {
    const std::uint8_t color = pixels[at];
    const std::uint64_t pattern = 0x0101010101010101ull * color;
    std::size_t end = at + 1;
    for (; end + 8 <= count; end += 8) {
        std::uint64_t word;
        std::memcpy(&word, pixels + end, 8);
        if (const std::uint64_t differ = word ^ pattern) {
            // The first differing pixel is the lowest byte of the word in memory order.
            const int first = std::endian::native == std::endian::little ? std::countr_zero(differ) / 8
                                                                         : std::countl_zero(differ) / 8;
            return end + static_cast<std::size_t>(first) - at;
        }
    }
    while (end < count && pixels[end] == color) ++end;
    return end - at;
}

void AppendImageData(int rootBits, const std::vector<std::uint8_t>& data, std::vector<std::uint8_t>& out) {
    out.reserve(out.size() + data.size() + data.size() / 255 + 3);
    out.push_back(static_cast<std::uint8_t>(rootBits));
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, data.size() - at);
        out.push_back(static_cast<std::uint8_t>(length));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                   data.begin() + static_cast<std::ptrdiff_t>(at + length));
    }
    out.push_back(0);
}

}  // namespace vorlix
