#include "files/IOErrors.h"

#include <cerrno>
#include <cstring>

namespace vorlix {

namespace {
constexpr int kErrnoBase = 100;  // errno values outside the table are kept above this
}  // namespace

int IOErrorFromErrno(int err) {
    switch (err) {
        case ENOENT: return ioFileNotFound;
        case ENAMETOOLONG:
        case EINVAL:
        case ENOTDIR:
        case EISDIR: return ioInvalidName;
        case EMFILE:
        case ENFILE: return ioTooManyFiles;
        case EACCES:
        case EPERM:
        case EROFS: return ioAccessDenied;
        default: return kErrnoBase + err;  // outside the table: reported with the system's reason
    }
}

std::string IOErrorMessage(int ioError) {
    switch (ioError) {
        case ioFileNotFound: return "File not found!";
        case ioInvalidName: return "Invalid file name!";
        case ioTooManyFiles: return "Too many open files. Try again later.";
        case ioAccessDenied: return "Access to file denied. Try again later.";
        default:
            // The number alone tells the user nothing; the system's words do.
            if (ioError > kErrnoBase) return std::strerror(ioError - kErrnoBase);
            return "Unknown file error occurred: " + std::to_string(ioError);
    }
}

}  // namespace vorlix
