#include "files/SafeFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "files/Exceptions.h"
#include "files/IOErrors.h"

namespace vorlix {

namespace {

[[noreturn]] void Fail(int err) { throw EInOutError(IOErrorFromErrno(err)); }

// Replacing a symbolic link would cut it; write to the file it points at.
std::string ResolveTarget(const std::string& fileName) {
    struct stat st;
    if (::lstat(fileName.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(fileName.c_str(), resolved)) return resolved;
    }
    return fileName;
}

std::string FolderOf(const std::string& fileName) {
    const auto slash = fileName.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : fileName.substr(0, slash);
}

// A short hidden name in the target's folder, so the rename stays on one file
// system and a target name near the length limit still works.
int CreateTemporary(const std::string& target, std::string& tempName) {
    const std::string stem = FolderOf(target) + "/.vorlix-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = stem + std::to_string(attempt);
        const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

void WriteFileSafely(const std::string& fileName, std::string_view contents, bool syncToDisk) {
    if (fileName.empty() || fileName.back() == '/' || fileName.find('\0') != std::string::npos)
        throw EInOutError(ioInvalidName);
    const std::string target = ResolveTarget(fileName);
    struct stat old;
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed && S_ISDIR(old.st_mode)) throw EInOutError(IOErrorFromErrno(EISDIR));

    std::string tempName;
    const int fd = CreateTemporary(target, tempName);
    if (fd < 0) Fail(errno);
    const bool written = (!existed || ::fchmod(fd, old.st_mode & 07777) == 0) && WriteAll(fd, contents) &&
                         (!syncToDisk || ::fsync(fd) == 0);
    const int writeErr = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        const int err = written ? errno : writeErr;
        ::unlink(tempName.c_str());
        Fail(err);
    }
    if (::rename(tempName.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(tempName.c_str());
        Fail(err);
    }
}

void FlushFolder(const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::syncfs(fd);
    ::close(fd);
}

}  // namespace vorlix
