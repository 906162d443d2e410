#include "app/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "files/IOErrors.h"

namespace vorlix {
namespace {

std::string FolderOf(const std::string& fileName) {
    const auto slash = fileName.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : fileName.substr(0, slash);
}

// The new file keeps the permissions of the one it replaces; a new file gets
// the usual ones (0666 less the umask) instead of mkstemp's private 0600.
mode_t PermissionsFor(const std::string& fileName) {
    struct stat existing {};
    if (stat(fileName.c_str(), &existing) == 0) return existing.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool Fail(int err, std::string& error) {
    error = IOErrorMessage(IOErrorFromErrno(err));
    return false;
}

}  // namespace

bool WriteFileAtomically(const std::string& fileName, const std::uint8_t* data, std::size_t size, std::string& error) {
    if (fileName.empty() || fileName.back() == '/') return Fail(EINVAL, error);
    struct stat target {};
    if (stat(fileName.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) return Fail(EISDIR, error);

    // A short hidden name, so that a target name near the length limit still works.
    std::string temp = FolderOf(fileName) + "/.vorlix-XXXXXX";
    std::vector<char> templ(temp.begin(), temp.end());
    templ.push_back('\0');
    const int fd = mkstemp(templ.data());
    if (fd < 0) return Fail(errno, error);
    temp = templ.data();

    bool ok = fchmod(fd, PermissionsFor(fileName)) == 0 && WriteAll(fd, data, size);
    int err = ok ? 0 : errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && std::rename(temp.c_str(), fileName.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        unlink(temp.c_str());
        return Fail(err, error);
    }
    return true;
}

}  // namespace vorlix
