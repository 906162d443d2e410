#pragma once
// The one table of system file errors shared by the EPD, PGN and diagram readers.
#include <string>

namespace vorlix {

// Windows-style I/O error numbers the messages are keyed by.
enum : int { ioFileNotFound = 2, ioInvalidName = 3, ioTooManyFiles = 4, ioAccessDenied = 5 };

// Maps a POSIX errno to the I/O error number of the table.
int IOErrorFromErrno(int err);
// "File not found!", "Invalid file name!", ... ; other system errors in the
// system's words ("No space left on device").
std::string IOErrorMessage(int ioError);

}  // namespace vorlix
