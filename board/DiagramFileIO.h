#pragma once
// Whole-file reading and crash-safe writing, with system errors mapped to the
// shared I/O error table.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorlix {

// A system error while reading or writing; the message comes from the table.
class EFileIOError : public std::runtime_error {
public:
    explicit EFileIOError(int ioError);
    int IOError;
};

// The file holds more bytes than the caller accepts.
class EFileTooLarge : public std::runtime_error {
public:
    EFileTooLarge() : std::runtime_error("File too large") {}
};

std::vector<uint8_t> ReadWholeFile(const std::string& path, size_t maxSize);

// Writes a temporary file beside the target, then renames it over the target,
// so a failed write leaves an existing file untouched.
void WriteFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace vorlix
