#include "board/DiagramFileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "files/Exceptions.h"
#include "files/IOErrors.h"

namespace vorlix {

namespace {

[[noreturn]] void ThrowErrno() { throw EInOutError(IOErrorFromErrno(errno)); }

// Closes the descriptor on every way out.
class TFd {
public:
    explicit TFd(int fd) : fd_(fd) {}
    ~TFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Get() const { return fd_; }
    // Close reports errors (a full disk may only show here).
    void Close() {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) ThrowErrno();
    }

private:
    int fd_;
};

void ReadAll(int fd, uint8_t* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ThrowErrno();
        if (n == 0) break;
        done += size_t(n);
    }
    if (done != size) throw EInOutError(IOErrorFromErrno(EIO));  // shrank while reading
}

}  // namespace

std::vector<uint8_t> ReadWholeFile(const std::string& path, size_t maxSize) {
    // Non-blocking, so naming a pipe cannot hang the reader; only plain files are read.
    TFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0) ThrowErrno();
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) ThrowErrno();
    if (!S_ISREG(st.st_mode)) throw EInOutError(IOErrorFromErrno(EISDIR));
    if (st.st_size < 0 || uint64_t(st.st_size) > maxSize) throw EFileTooLarge();
    std::vector<uint8_t> bytes(size_t(st.st_size));
    ReadAll(fd.Get(), bytes.data(), bytes.size());
    return bytes;
}

}  // namespace vorlix
