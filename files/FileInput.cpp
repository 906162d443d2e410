#include "files/FileInput.h"

#include <fcntl.h>
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
    if (size == 0) return 0;
    for (;;) {
        const ssize_t n = ::read(fd_, data, size);
        if (n >= 0) {
            if (left_ != UINT64_MAX) left_ -= static_cast<uint64_t>(n);
            return static_cast<size_t>(n);
        }
        if (errno != EINTR) throw EInOutError(IOErrorFromErrno(errno));
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
