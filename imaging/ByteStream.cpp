#include "imaging/ByteStream.h"

#include <algorithm>

namespace vorlix {

void TByteReader::Need(size_t n) const {
    if (n > Size - Pos) throw EShortRead();
}

uint8_t TByteReader::ReadU8() {
    Need(1);
    return Data[Pos++];
}

uint16_t TByteReader::ReadU16() {
    const uint8_t* p = ReadBytes(2);
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t TByteReader::ReadU32() {
    const uint8_t* p = ReadBytes(4);
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

const uint8_t* TByteReader::ReadBytes(size_t n) {
    Need(n);
    const uint8_t* p = Data + Pos;
    Pos += n;
    return p;
}

std::string TByteReader::ReadShortString() {
    const uint8_t* field = ReadBytes(kShortStringSize);
    return std::string(reinterpret_cast<const char*>(field + 1), field[0]);
}

void TByteWriter::WriteU16(uint16_t v) {
    WriteU8(static_cast<uint8_t>(v));
    WriteU8(static_cast<uint8_t>(v >> 8));
}

void TByteWriter::WriteU32(uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) WriteU8(static_cast<uint8_t>(v >> shift));
}

void TByteWriter::WriteShortString(const std::string& text, int lengthByte) {
    const size_t n = std::min(text.size(), kShortStringSize - 1);
    WriteU8(static_cast<uint8_t>(lengthByte >= 0 ? lengthByte : static_cast<int>(n)));
    WriteBytes(reinterpret_cast<const uint8_t*>(text.data()), n);
    WriteZeros(kShortStringSize - 1 - n);
}

}  // namespace vorlix
