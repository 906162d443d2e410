#include "files/SafeFileWriter.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include "files/Exceptions.h"
#include "files/IOErrors.h"

namespace vorlix {

namespace {

constexpr const char* kTempPrefix = ".vorlix-";

[[noreturn]] void Fail(int err) { throw EInOutError(IOErrorFromErrno(err)); }

std::string FolderOf(const std::string& fileName) {
    const auto slash = fileName.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : fileName.substr(0, slash);
}

// Replacing a symbolic link would cut it: the file it points at is written,
// also when that file does not exist yet.
std::string ResolveLinks(const std::string& fileName) {
    std::string path = fileName;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
        if (n < 0) Fail(errno);
        const std::string link(target, static_cast<size_t>(n));
        path = link[0] == '/' ? link : FolderOf(path) + "/" + link;
    }
    Fail(ELOOP);
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

// Devices and pipes (/dev/null, /dev/stdout, a FIFO) are written as they are:
// replacing them by a plain file would destroy them.
void WriteDirectly(const std::string& fileName, std::string_view contents) {
    const int fd = ::open(fileName.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) Fail(errno);
    const bool written = WriteAll(fd, contents);
    const int err = errno;
    if (::close(fd) != 0 && written) Fail(errno);
    if (!written) Fail(err);
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // some file systems cannot; the rename itself has succeeded
    ::close(fd);
}

// ---- named temporary files, where the file system has no unnamed ones ----

// The temporary files being written, removed when SIGINT or SIGTERM ends the
// program. Threads write files side by side (a batch run), so each guard has
// a slot of its own; a slot's first byte is stored last, and the handler reads
// only names whose first byte is set.
constexpr int kTempSlots = 64;
char gPendingTemps[kTempSlots][PATH_MAX] = {};
std::atomic<bool> gSlotTaken[kTempSlots] = {};
// The handlers are installed while any guard is armed, and the program's own
// put back when the last one goes.
std::mutex gGuardsLock;
int gArmedGuards = 0;
bool gIntInstalled = false, gTermInstalled = false;
struct sigaction gOldInt, gOldTerm;

// Set by the handler; a thread about to create a temporary file then waits
// for the end instead, and the handler waits for those already creating one,
// so no file is made after it has looked (other threads run on while it does).
std::atomic<bool> gEnding{false};
std::atomic<int> gCreating{0};

void RemovePendingTemp(int sig) {
    gEnding.store(true);
    while (gCreating.load() != 0) {
    }
    for (auto& name : gPendingTemps)
        if (__atomic_load_n(&name[0], __ATOMIC_ACQUIRE)) ::unlink(name);
    ::sigaction(sig, sig == SIGINT ? &gOldInt : &gOldTerm, nullptr);
    ::raise(sig);
}

// SIGINT and SIGTERM held back from this thread for a scope.
class TSignalsHeld {
public:
    TSignalsHeld() {
        sigset_t block;
        sigemptyset(&block);
        sigaddset(&block, SIGINT);
        sigaddset(&block, SIGTERM);
        ::pthread_sigmask(SIG_BLOCK, &block, &old_);
    }
    ~TSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
    TSignalsHeld(const TSignalsHeld&) = delete;
    TSignalsHeld& operator=(const TSignalsHeld&) = delete;

private:
    sigset_t old_;
};

// Around the call that gives a temporary file its name, after the name was
// armed: the handler, running in another thread, waits for it to return.
class TCreatingTemp {
public:
    TCreatingTemp() {
        gCreating.fetch_add(1);
        if (gEnding.load()) {
            gCreating.fetch_sub(1);
            for (;;) ::pause();  // the program is ending: make nothing more
        }
    }
    ~TCreatingTemp() { gCreating.fetch_sub(1); }
    TCreatingTemp(const TCreatingTemp&) = delete;
    TCreatingTemp& operator=(const TCreatingTemp&) = delete;

private:
    TSignalsHeld held_;  // the handler never runs in this thread meanwhile
};

// Removes the named temporary file if SIGINT or SIGTERM ends the program while
// it exists. A signal the program ignores stays ignored (a batch started in the
// background of a script must not die of, or lose its file to, a SIGINT).
class TTempGuard {
public:
    TTempGuard() = default;
    explicit TTempGuard(const std::string& name) { Arm(name); }
    // Names the file to remove; armed before the file gets that name, so that
    // no moment is left in which a signal would leave it behind.
    void Arm(const std::string& name) {
        if (name.empty() || name.size() >= PATH_MAX) return;
        const TSignalsHeld held;  // this thread's handler never sees half a name
        if (slot_ < 0) {
            slot_ = TakeSlot();
            std::lock_guard<std::mutex> lock(gGuardsLock);
            if (gArmedGuards++ == 0) {
                gIntInstalled = Install(SIGINT, gOldInt);
                gTermInstalled = Install(SIGTERM, gOldTerm);
            }
        }
        char* slot = gPendingTemps[slot_];
        __atomic_store_n(&slot[0], '\0', __ATOMIC_RELEASE);
        std::memcpy(slot + 1, name.c_str() + 1, name.size());
        __atomic_store_n(&slot[0], name[0], __ATOMIC_RELEASE);
    }
    ~TTempGuard() {
        if (slot_ < 0) return;
        const TSignalsHeld held;
        __atomic_store_n(&gPendingTemps[slot_][0], '\0', __ATOMIC_RELEASE);
        {
            std::lock_guard<std::mutex> lock(gGuardsLock);
            if (--gArmedGuards == 0) {
                if (gIntInstalled) ::sigaction(SIGINT, &gOldInt, nullptr);
                if (gTermInstalled) ::sigaction(SIGTERM, &gOldTerm, nullptr);
            }
        }
        gSlotTaken[slot_].store(false, std::memory_order_release);
    }
    TTempGuard(const TTempGuard&) = delete;
    TTempGuard& operator=(const TTempGuard&) = delete;

private:
    // A free slot; with more writers than slots, waits for one.
    static int TakeSlot() {
        for (;;) {
            for (int i = 0; i < kTempSlots; ++i)
                if (!gSlotTaken[i].exchange(true, std::memory_order_acquire)) return i;
            std::this_thread::yield();
        }
    }
    static bool Install(int sig, struct sigaction& previous) {
        if (::sigaction(sig, nullptr, &previous) != 0) return false;
        if (!(previous.sa_flags & SA_SIGINFO) && previous.sa_handler == SIG_IGN) return false;
        struct sigaction action = {};
        action.sa_handler = RemovePendingTemp;
        sigemptyset(&action.sa_mask);
        return ::sigaction(sig, &action, nullptr) == 0;
    }
    int slot_ = -1;
};

const std::string& ThisHost() {
    static const std::string host = [] {
        char name[256] = {};
        if (::gethostname(name, sizeof name - 1) != 0) name[0] = '\0';
        return TempHostName(name);
    }();
    return host;
}

// Temporary files of this machine's processes that are gone (killed outright)
// are removed; another machine's, on a shared folder, are never touched.
void RemoveStaleTemps(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        long pid = 0;
        if (!IsTempFileOfHost(entry->d_name, ThisHost(), pid)) continue;
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// ".vorlix-PID-HOST-"
std::string TempStem(const std::string& folder) {
    return folder + "/" + kTempPrefix + std::to_string(::getpid()) + "-" + ThisHost() + "-";
}

// A short hidden name in the target's folder, so the rename stays on one file
// system and a target name near the length limit still works.
int CreateNamedTemporary(const std::string& folder, std::string& tempName, TTempGuard& guard) {
    const std::string stem = TempStem(folder);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = stem + std::to_string(attempt);
        guard.Arm(tempName);
        int fd = -1;
        {
            const TCreatingTemp creating;
            fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        }
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

void ReplaceFrom(const std::string& tempName, const std::string& target) {
    if (::rename(tempName.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(tempName.c_str());
        Fail(err);
    }
}

// ---- the regular file ----

// The file written so far has no name: a killed process leaves nothing behind.
// Returns -1 (errno set) where the file system has no unnamed files.
int OpenUnnamedTemporary(const std::string& folder) {
#ifdef O_TMPFILE
    return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
#else
    (void)folder;
    errno = EOPNOTSUPP;
    return -1;
#endif
}

// Gives the unnamed file a name for the moment of the rename; closes it.
void LinkAndReplace(int fd, const std::string& folder, const std::string& target) {
    const std::string procPath = "/proc/self/fd/" + std::to_string(fd);
    std::string tempName;
    TTempGuard guard;
    for (int attempt = 0;; ++attempt) {
        tempName = TempStem(folder) + "l" + std::to_string(attempt);
        guard.Arm(tempName);
        bool linked = false;
        {
            const TCreatingTemp creating;
            linked = ::linkat(fd, "", AT_FDCWD, tempName.c_str(), AT_EMPTY_PATH) == 0 ||
                     ::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, tempName.c_str(), AT_SYMLINK_FOLLOW) == 0;
        }
        if (linked) break;
        if (errno != EEXIST || attempt == 100) {
            const int err = errno;
            ::close(fd);
            Fail(err);
        }
    }
    ::close(fd);
    ReplaceFrom(tempName, target);
}

// The new file takes the old one's permissions and, where allowed, its owner.
bool TakeOverAttributes(int fd, const struct stat* old) {
    if (!old) return true;
    if (::fchown(fd, old->st_uid, old->st_gid) != 0) errno = 0;  // only root may; not an error
    return ::fchmod(fd, old->st_mode & 07777) == 0;
}

void ReplaceRegularFile(const std::string& target, const struct stat* old, std::string_view contents, bool syncToDisk) {
    const std::string folder = FolderOf(target);
    int fd = OpenUnnamedTemporary(folder);
    const bool unnamed = fd >= 0;
    std::string tempName;
    TTempGuard guard;
    if (!unnamed) {
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) Fail(errno);
        RemoveStaleTemps(folder);
        fd = CreateNamedTemporary(folder, tempName, guard);
        if (fd < 0) Fail(errno);
    }
    if (!TakeOverAttributes(fd, old) || !WriteAll(fd, contents) || (syncToDisk && ::fsync(fd) != 0)) {
        const int err = errno;
        ::close(fd);
        if (!unnamed) ::unlink(tempName.c_str());
        Fail(err);
    }
    if (unnamed) {
        LinkAndReplace(fd, folder, target);
    } else {
        if (::close(fd) != 0) {
            const int err = errno;
            ::unlink(tempName.c_str());
            Fail(err);
        }
        ReplaceFrom(tempName, target);
    }
    if (syncToDisk) SyncFolder(folder);
}

}  // namespace

std::string TempHostName(const std::string& host) {
    std::string name = host.substr(0, 64);
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_') c = '_';
    return name.empty() ? std::string("_") : name;
}

bool IsTempFileOfHost(const std::string& entry, const std::string& host, long& pid) {
    const size_t prefix = std::strlen(kTempPrefix);
    if (entry.compare(0, prefix, kTempPrefix) != 0) return false;
    const char* digits = entry.c_str() + prefix;
    char* end = nullptr;
    pid = std::strtol(digits, &end, 10);
    if (end == digits || *end != '-' || pid <= 0 || !std::isdigit(static_cast<unsigned char>(*digits))) return false;
    std::string_view rest(end + 1);
    // A name without a host (".vorlix-PID-N") comes from before hosts were named: taken as this machine's.
    if (rest.size() > host.size() && rest.compare(0, host.size(), host) == 0 && rest[host.size()] == '-')
        rest.remove_prefix(host.size() + 1);
    if (!rest.empty() && rest[0] == 'l') rest.remove_prefix(1);
    if (rest.empty()) return false;
    for (char c : rest)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

void WriteFileSafely(const std::string& fileName, std::string_view contents, bool syncToDisk) {
    if (fileName.empty() || fileName.back() == '/' || fileName.find('\0') != std::string::npos)
        throw EInOutError(ioInvalidName);
    struct stat st;
    if (::stat(fileName.c_str(), &st) == 0) {
        if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) return WriteDirectly(fileName, contents);
        if (S_ISDIR(st.st_mode)) Fail(EISDIR);
        if (!S_ISREG(st.st_mode))
            throw EInOutError(ioAccessDenied, "Not a regular file: only files, devices and pipes can be written.");
        return ReplaceRegularFile(ResolveLinks(fileName), &st, contents, syncToDisk);
    }
    if (errno != ENOENT) Fail(errno);
    return ReplaceRegularFile(ResolveLinks(fileName), nullptr, contents, syncToDisk);
}

void FlushFolder(const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::syncfs(fd);
    ::close(fd);
}

}  // namespace vorlix
