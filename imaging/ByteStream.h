#pragma once
// Little-endian byte reading and writing for the tagged diagram format. The
// reader checks every access against the end of its buffer, so a field cut
// short can never make it touch memory that does not belong to the data.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorlix {

// Raised when a field needs more bytes than are left.
class EShortRead : public std::runtime_error {
public:
    EShortRead() : std::runtime_error("Stream read error") {}
};

class TByteReader {
public:
    TByteReader(const uint8_t* data, size_t size) : Data(data), Size(size) {}

    size_t Position() const { return Pos; }
    size_t Remaining() const { return Size - Pos; }
    bool AtEnd() const { return Pos >= Size; }
    // The unread part, for sub-readers such as the BMP reader.
    const uint8_t* Current() const { return Data + Pos; }

    uint8_t ReadU8();
    uint16_t ReadU16();
    uint32_t ReadU32();
    int32_t ReadI32() { return static_cast<int32_t>(ReadU32()); }
    // Returns a pointer to the next n bytes and moves past them.
    const uint8_t* ReadBytes(size_t n);
    void Skip(size_t n) { ReadBytes(n); }
    // A 256-byte field: length byte, characters, filler. A length above 255
    // cannot occur, so the text always lies inside the field.
    std::string ReadShortString();

private:
    void Need(size_t n) const;

    const uint8_t* Data;
    size_t Size;
    size_t Pos = 0;
};

class TByteWriter {
public:
    void WriteU8(uint8_t v) { Bytes.push_back(v); }
    void WriteU16(uint16_t v);
    void WriteU32(uint32_t v);
    void WriteI32(int32_t v) { WriteU32(static_cast<uint32_t>(v)); }
    void WriteBytes(const uint8_t* data, size_t n) { Bytes.insert(Bytes.end(), data, data + n); }
    void WriteBytes(const std::vector<uint8_t>& data) { WriteBytes(data.data(), data.size()); }
    void WriteZeros(size_t n) { Bytes.insert(Bytes.end(), n, 0); }
    // A 256-byte field holding the text (cut to 255 characters) with its length
    // byte; lengthByte overrides the stored length when given (0..255).
    void WriteShortString(const std::string& text, int lengthByte = -1);

    const std::vector<uint8_t>& Data() const { return Bytes; }
    std::vector<uint8_t> Take() { return std::move(Bytes); }

private:
    std::vector<uint8_t> Bytes;
};

constexpr size_t kShortStringSize = 256;

}  // namespace vorlix
