#pragma once
// The pixel data of a GIF frame in run-length mode: a code stream that every
// GIF decoder reads, but whose codes only ever stand for runs of one colour.
// The encoder mirrors the decoder's string table, which enters the previous
// code's string plus the first pixel of the current one after every code:
// after a code for n pixels of colour c, a code of colour c makes the entry
// for n + 1 pixels of c. A run of c is written as codes of the longest runs
// of c the table holds, and where the previous code was the longest, as the
// entry being made (the decoder's "code not yet in the table" case), so a
// run's codes grow 1, 2, 3, ... pixels long and later runs of c reuse them.
// No general strings are matched, and the table is cleared before it fills.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorlix {

// pixels: count indices, each below 1 << bitsPerPixel (1..8; GIF codes at
// least 2 bits, so 1 is raised to 2). count must be at least 1. Appends the
// minimum code size, the codes in sub-blocks and the block terminator.
void AppendRunLengthImageData(const std::uint8_t* pixels, std::size_t count, int bitsPerPixel,
                              std::vector<std::uint8_t>& out);

}  // namespace vorlix
