#pragma once
// The compressed pixel data of a GIF frame: the minimum code size, the LZW
// code stream in sub-blocks of at most 255 bytes, and the block terminator.
// Plain LZW as the common encoders write it: the table is cleared when it
// holds 4096 codes. Runs of one colour walk the table by indexing instead of
// hashing pixel by pixel, which matters when thousands of diagrams are written.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorlix {

// pixels: count indices, each below 1 << bitsPerPixel (1..8; GIF codes at
// least 2 bits, so 1 is raised to 2). count must be at least 1.
void AppendLzwImageData(const std::uint8_t* pixels, std::size_t count, int bitsPerPixel,
                        std::vector<std::uint8_t>& out);

}  // namespace vorlix
