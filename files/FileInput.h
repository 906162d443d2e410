#pragma once
// A file opened for reading in large blocks; failures raise EInOutError.
#include <cstddef>
#include <string>

namespace vorlix {

class TFileInput {
public:
    explicit TFileInput(const std::string& fileName);
    ~TFileInput();
    TFileInput(const TFileInput&) = delete;
    TFileInput& operator=(const TFileInput&) = delete;

    // Reads up to size bytes; 0 at the end of the file.
    size_t Read(char* data, size_t size);
    // Starts reading again from the first byte.
    void Rewind();

private:
    int Fd_ = -1;
};

}  // namespace vorlix
