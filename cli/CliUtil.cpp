#include "cli/CliUtil.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/InstallPaths.h"
#include "files/PGNReader.h"
#include "files/TextEncoding.h"
#include "files/TextUtil.h"

namespace vorlix::cli {

namespace {

void AppendHex(std::string& out, const char* prefix, unsigned value) {
    static const char kDigits[] = "0123456789abcdef";
    out += prefix;
    out += kDigits[(value >> 4) & 0xF];
    out += kDigits[value & 0xF];
}

std::string FolderOf(const std::string& fileName) {
    const auto slash = fileName.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : fileName.substr(0, slash);
}

}  // namespace

TOpenableName::TOpenableName(const std::string& name) : utf8_(name) {
    if (IsValidUtf8(name)) return;
    fd_ = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ >= 0) utf8_ = "/proc/self/fd/" + std::to_string(fd_);
}

TOpenableName::~TOpenableName() {
    if (fd_ >= 0) ::close(fd_);
}

std::string WithLfLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

namespace {

// Needs escaping: a control character other than TAB and LF, DEL, or the
// lead byte of a C1 control.
bool NeedsEscape(unsigned char c) { return (c < 0x20 && c != '\t' && c != '\n') || c == 0x7F || c == 0xC2; }

}  // namespace

void AppendPrintable(std::string& out, std::string_view text) {
    size_t plain = 0;
    while (plain < text.size() && !NeedsEscape(static_cast<unsigned char>(text[plain]))) ++plain;
    out.append(text.data(), plain);  // the common case: nothing to escape
    for (size_t i = plain; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\t' && c != '\n') || c == 0x7F) {
            AppendHex(out, "\\x", c);
        } else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            AppendHex(out, "\\u00", static_cast<unsigned char>(text[++i]));  // a C1 control such as CSI
        } else {
            out += static_cast<char>(c);
        }
    }
}

namespace {

// Only bytes from blank to "~": no control character, DEL or byte above ASCII.
bool IsPrintableAscii(std::string_view text) {
    const char* p = text.data();
    size_t n = text.size();
    bool bad = false;
    for (; n >= 8; p += 8, n -= 8) {
        const uint64_t word = LoadWord(p);
        bad |= (word & kByteHighs) || WordHasByteBelow(word, ' ') || WordHasByte(word, '\x7F');
    }
    for (; n; ++p, --n) bad |= static_cast<unsigned char>(*p) - 0x20u >= 0x5Fu;
    return !bad;
}

}  // namespace

void AppendField(std::string& out, std::string_view value) {
    if (IsPrintableAscii(value)) {  // the common case, written as it is
        out.append(value);
        return;
    }
    const size_t start = out.size();
    AppendPrintable(out, value);
    for (size_t i = start; i < out.size(); ++i)
        if (out[i] == '\t' || out[i] == '\n') out[i] = ' ';
}

void TStdErrReporter::Report(TMsgKind, const std::string& message) {
    reported_ = true;
    std::string body = message;
    const std::string opened = InputFileName(subject_);  // standard input is read as /dev/stdin
    if (opened != subject_ && body.compare(0, opened.size(), opened) == 0) body = subject_ + body.substr(opened.size());
    const bool named = subject_.empty() || body.compare(0, subject_.size(), subject_) == 0;
    std::string text = "vorlix: ";
    AppendPrintable(text, WithLfLineEnds(named ? body : subject_ + ": " + body));
    text += '\n';
    std::fflush(stdout);
    std::fputs(text.c_str(), stderr);
}

[[noreturn]] void WriteFailed(int err) {
    std::fprintf(stderr, "vorlix: write error: %s\n", std::strerror(err));
    std::_Exit(1);  // the streams cannot be flushed any more
}

void TOutputBuffer::Flush() {
    errno = 0;
    if (!text_.empty() && std::fwrite(text_.data(), 1, text_.size(), stream_) != text_.size()) WriteFailed(errno);
    text_.clear();
    if (std::fflush(stream_) != 0 || std::ferror(stream_)) WriteFailed(errno ? errno : EIO);
}

bool ParsePositive(const std::string& text, int& value) {
    const auto [end, err] = std::from_chars(text.data(), text.data() + text.size(), value);
    return err == std::errc() && end == text.data() + text.size() && value >= 1;
}

bool ParseJobs(const std::string& text, int& jobs) {
    if (ParsePositive(text, jobs) && jobs <= kMaxJobs) return true;
    std::fprintf(stderr, "vorlix: --jobs takes a number from 1 to %d\n", kMaxJobs);
    return false;
}

bool ParseFileAndJobs(const std::vector<std::string>& args, std::string& file, int& jobs) {
    bool jobsGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--jobs") {
            if (i + 1 >= args.size() || jobsGiven || !ParseJobs(args[++i], jobs)) return false;
            jobsGiven = true;
        } else if (!IsFileArgument(args[i]) || !file.empty()) {
            return false;
        } else {
            file = args[i];
        }
    }
    return !file.empty();
}

bool IsFileArgument(const std::string& argument) {
    return !argument.empty() && (argument == "-" || argument[0] != '-');
}

std::string InputFileName(const std::string& argument) { return argument == "-" ? "/dev/stdin" : argument; }

std::string OutputFailureMessage(const std::string& fileName, const std::string& message) {
    const std::string folder = FolderOf(fileName);
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0 && errno == ENOENT) return "the folder " + folder + " does not exist";
    if (::stat(folder.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) return folder + " is not a folder";
    return message;
}

bool ForGameNumber(const std::string& argument, int number, TErrorReporter& reporter,
                   const std::function<void(TPGNRec&)>& onGame) {
    TPGNRec game;
    int read = 0;
    bool found = false;
    const bool loaded = ReadPGNFile(
        InputFileName(argument), reporter,
        [&] {
            ResetGame(game);
            return &game;
        },
        [&](TPGNRec& done) {
            if (++read != number) return;
            onGame(done);
            found = true;
        });
    if (loaded && !found) reporter.Report(TMsgKind::Error, "there is no game " + std::to_string(number) + ".");
    return loaded && found;
}

std::string DefaultStyleFile() {
    std::string data = FindDataFolder(RunningProgramFolder(), XdgDataFolders());
    if (data.empty()) data = RunningProgramFolder();
    return data + "/default.vxd";
}

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text + ",") {
        if (c == ',') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    return parts;
}

}  // namespace vorlix::cli
