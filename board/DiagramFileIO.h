#pragma once
// Whole-file reading, with system errors raised as EInOutError of the shared
// I/O error table.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorlix {

// The file holds more bytes than the caller accepts.
class EFileTooLarge : public std::runtime_error {
public:
    EFileTooLarge() : std::runtime_error("File too large") {}
};

// Raises EInOutError or EFileTooLarge.
std::vector<uint8_t> ReadWholeFile(const std::string& path, size_t maxSize);

}  // namespace vorlix
