#pragma once
// Writes a whole file so that a failure never destroys the old one: the text
// goes to a temporary file beside the target, which then replaces it.
#include <string>
#include <string_view>

namespace vorlix {

// Raises EInOutError on failure; the target is then unchanged. One call at a
// time: the clean-up on SIGINT/SIGTERM is process-wide. Without
// syncToDisk the data is not forced to the disk before the rename: for runs
// that write many files and flush the folder once at the end (FlushFolder).
void WriteFileSafely(const std::string& fileName, std::string_view contents, bool syncToDisk = true);

// Temporary files are named ".vorlix-PID-HOST-N" beside the target (where the
// file system has no unnamed ones), so that clearing the files of processes
// that died on a shared network folder never takes another machine's file in
// progress. The host name made fit for a file name:
std::string TempHostName(const std::string& host);
// Whether a folder entry is a temporary file of a process of this host
// (host as TempHostName gives it), and of which process.
bool IsTempFileOfHost(const std::string& entry, const std::string& host, long& pid);

// Forces what was written into the folder's file system to the disk.
void FlushFolder(const std::string& folder);

}  // namespace vorlix
