#pragma once
// A file opened for reading in large blocks; failures raise EInOutError.
#include <cstddef>
#include <cstdint>
#include <string>

namespace vorlix {

class TFileInput {
public:
    explicit TFileInput(const std::string& fileName);
    // Only the bytes from `begin` up to `end` are read.
    TFileInput(const std::string& fileName, uint64_t begin, uint64_t end);
    ~TFileInput();
    TFileInput(const TFileInput&) = delete;
    TFileInput& operator=(const TFileInput&) = delete;

    // Reads up to size bytes; 0 at the end of the file.
    size_t Read(char* data, size_t size);
    // Starts reading again from the first byte.
    void Rewind();
    // The whole file's size in bytes.
    uint64_t Size() const;

private:
    int fd_ = -1;
    uint64_t left_ = UINT64_MAX;  // bytes still to read in a part of the file
};

}  // namespace vorlix
