#include "files/FileInput.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/Exceptions.h"
#include "files/IOErrors.h"

namespace vorlix {

TFileInput::TFileInput(const std::string& fileName) {
    if (fileName.empty() || fileName.find('\0') != std::string::npos) throw EInOutError(ioInvalidName);
    fd_ = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) throw EInOutError(IOErrorFromErrno(errno));
    struct stat st {};
    stream_ = ::fstat(fd_, &st) == 0 && !S_ISREG(st.st_mode) && !S_ISBLK(st.st_mode);
}

TFileInput::TFileInput(const std::string& fileName, uint64_t begin, uint64_t end) : TFileInput(fileName) {
    if (begin > 0 && ::lseek(fd_, static_cast<off_t>(begin), SEEK_SET) < 0) throw EInOutError(IOErrorFromErrno(errno));
    left_ = end > begin ? end - begin : 0;
}

TFileInput::~TFileInput() {
    if (fd_ >= 0) ::close(fd_);
}

size_t TFileInput::Read(char* data, size_t size) {
    if (size > left_) size = static_cast<size_t>(left_);
    if (size == 0 || stopped_) return 0;
    if (stream_ && keepWaiting_ && !WaitForData()) return 0;
    for (;;) {
        const ssize_t n = ::read(fd_, data, size);
        if (n >= 0) {
            if (left_ != UINT64_MAX) left_ -= static_cast<uint64_t>(n);
            return static_cast<size_t>(n);
        }
        if (errno != EINTR) throw EInOutError(IOErrorFromErrno(errno));
    }
}

bool TFileInput::WaitForData() {
    constexpr int kAskEveryMs = 50;
    for (;;) {
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, kAskEveryMs);
        if (ready > 0) return true;  // data, the writer's end or an error: read() tells which
        if (ready < 0 && errno != EINTR) return true;
        if (!keepWaiting_()) {
            stopped_ = true;
            return false;
        }
    }
}

void TFileInput::Rewind() {
    if (::lseek(fd_, 0, SEEK_SET) < 0) throw EInOutError(IOErrorFromErrno(errno));
}

uint64_t TFileInput::Size() const {
    struct stat st {};
    if (::fstat(fd_, &st) < 0) throw EInOutError(IOErrorFromErrno(errno));
    return static_cast<uint64_t>(st.st_size);
}

}  // namespace vorlix
