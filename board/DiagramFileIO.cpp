#include "board/DiagramFileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "files/IOErrors.h"

namespace vorlix {

EFileIOError::EFileIOError(int ioError)
    : std::runtime_error(IOErrorMessage(ioError)), IOError(ioError) {}

namespace {

[[noreturn]] void ThrowErrno() { throw EFileIOError(IOErrorFromErrno(errno)); }

// Closes the descriptor on every way out.
class TFd {
public:
    explicit TFd(int fd) : fd_(fd) {}
    ~TFd() { if (fd_ >= 0) ::close(fd_); }
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
    if (done != size) throw EFileIOError(IOErrorFromErrno(EIO));  // shrank while reading
}

void WriteAll(int fd, const uint8_t* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ThrowErrno();
        done += size_t(n);
    }
}

std::string SiblingTempName(const std::string& path) {
    static std::mt19937 rng{std::random_device{}()};
    return path + "." + std::to_string(rng() % 1000000) + ".part";
}

// Creates a fresh file beside path, retrying on name clashes.
int CreateSibling(const std::string& path, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = SiblingTempName(path);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) ThrowErrno();
    }
    ThrowErrno();
}

}  // namespace

std::vector<uint8_t> ReadWholeFile(const std::string& path, size_t maxSize) {
    // Non-blocking, so naming a pipe cannot hang the reader; only plain files are read.
    TFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0) ThrowErrno();
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) ThrowErrno();
    if (!S_ISREG(st.st_mode)) throw EFileIOError(IOErrorFromErrno(EISDIR));
    if (st.st_size < 0 || uint64_t(st.st_size) > maxSize) throw EFileTooLarge();
    std::vector<uint8_t> bytes(size_t(st.st_size));
    ReadAll(fd.Get(), bytes.data(), bytes.size());
    return bytes;
}

void WriteFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string tempPath;
    TFd fd(CreateSibling(path, tempPath));
    try {
        WriteAll(fd.Get(), bytes.data(), bytes.size());
        if (::fsync(fd.Get()) != 0) ThrowErrno();
        fd.Close();
        if (::rename(tempPath.c_str(), path.c_str()) != 0) ThrowErrno();
    } catch (...) {
        ::unlink(tempPath.c_str());
        throw;
    }
}

}  // namespace vorlix
