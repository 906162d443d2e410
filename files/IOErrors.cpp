#include "files/IOErrors.h"

#include <cerrno>

namespace vorlix {

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
        default: return 100 + err;  // outside the table: reported with its number
    }
}

std::string IOErrorMessage(int ioError) {
    switch (ioError) {
        case ioFileNotFound: return "File not found!";
        case ioInvalidName: return "Invalid file name!";
        case ioTooManyFiles: return "Too many open files. Try again later.";
        case ioAccessDenied: return "Access to file denied. Try again later.";
        default: return "Unknown file error occurred: " + std::to_string(ioError);
    }
}

}  // namespace vorlix
