#pragma once
// Reads one complete BMP file from the front of a byte buffer and tells how
// many bytes it took, so a BMP embedded in a larger stream can be stepped over.
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace vorlix {

// A BMP that is cut short, claims impossible sizes or uses an unsupported layout.
class EBmpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TBmpImage {
    QImage Image;          // always Format_RGB32
    size_t ByteCount = 0;  // bytes of the BMP file inside the buffer
};

// Limits that keep a lying header from allocating absurd amounts of memory.
constexpr int32_t kMaxBmpSide = 16384;
constexpr int64_t kMaxBmpPixels = int64_t(1) << 24;

// Uncompressed BMPs of 1, 4, 8, 16, 24 and 32 bits per pixel (16 and 32 also
// with colour masks), with a core (12-byte) or Windows (40-byte or longer)
// information header, bottom-up or top-down. Never reads outside [data, data + size); throws EBmpError.
TBmpImage ReadBmp(const uint8_t* data, size_t size);

}  // namespace vorlix
