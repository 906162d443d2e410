#pragma once
// A file opened for reading in large blocks; failures raise EInOutError.
#include <cstddef>
#include <cstdint>
#include <functional>
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
    // Asked now and then while a pipe or terminal has no data: false ends the
    // read as at the end of the file (Stopped() tells it apart). A read of a
    // stream that never sends more must not hold up a cancel.
    void SetWaitCheck(std::function<bool()> keepWaiting) { keepWaiting_ = std::move(keepWaiting); }
    bool Stopped() const { return stopped_; }

private:
    bool WaitForData();

    int fd_ = -1;
    bool stream_ = false;  // not a regular file: a read may wait for the writer
    bool stopped_ = false;
    std::function<bool()> keepWaiting_;
    uint64_t left_ = UINT64_MAX;  // bytes still to read in a part of the file
};

}  // namespace vorlix
