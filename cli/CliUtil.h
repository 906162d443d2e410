#pragma once
// Pieces shared by the sub-commands: buffered UTF-8 output, messages on
// standard error, argument and file-name helpers.
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/ErrorReporter.h"

namespace vorlix {
struct TPGNRec;
}

namespace vorlix::cli {

// Writes messages to standard error as "vorlix: SUBJECT: message", one per
// line, with LF line ends and control characters escaped. A message that
// already names its subject (the readers' "F does not seem to ...") is not
// prefixed twice.
class TStdErrReporter : public TErrorReporter {
public:
    explicit TStdErrReporter(std::string subject = {}) : subject_(std::move(subject)) {}
    void Report(TMsgKind kind, const std::string& message) override;
    bool Reported() const { return reported_; }
    // The file the following messages are about.
    void SetSubject(std::string subject) { subject_ = std::move(subject); }

private:
    std::string subject_;
    bool reported_ = false;
};

// Collects output in large blocks before handing it to a stream. A failed
// write ends the program (see WriteFailed).
class TOutputBuffer {
public:
    explicit TOutputBuffer(std::FILE* stream = stdout) : stream_(stream) {}
    ~TOutputBuffer() { Flush(); }
    TOutputBuffer(const TOutputBuffer&) = delete;
    TOutputBuffer& operator=(const TOutputBuffer&) = delete;

    std::string& Text() { return text_; }  // append freely; call MaybeFlush now and then
    void MaybeFlush() {
        if (text_.size() >= kFlushSize) Flush();
    }
    void Flush();

private:
    static constexpr size_t kFlushSize = 1 << 20;
    std::FILE* stream_;
    std::string text_;
};

// Output that cannot be written is no success: prints
// "vorlix: write error: REASON" and exits with 1.
[[noreturn]] void WriteFailed(int err);

// Message text with CR LF and lone CR turned into LF.
std::string WithLfLineEnds(std::string_view text);
// Text from a file made safe for a terminal: control characters other than
// TAB and LF (ESC above all) are written as \xHH, C1 controls as \u00HH.
void AppendPrintable(std::string& out, std::string_view text);
// A field of a TAB-separated line: TAB, CR and LF become blanks, other control
// characters are escaped as by AppendPrintable.
void AppendField(std::string& out, std::string_view value);
// A whole decimal number >= 1 that fits an int.
bool ParsePositive(const std::string& text, int& value);
// --jobs N: 1 to kMaxJobs, as for batch; a number out of range is told on standard error.
constexpr int kMaxJobs = 256;
bool ParseJobs(const std::string& text, int& jobs);
// FILE and an optional "--jobs N" in any order; jobs stays as it was without one.
bool ParseFileAndJobs(const std::vector<std::string>& args, std::string& file, int& jobs);

// An argument that names a file: not empty, and not an option ("-" alone is one).
bool IsFileArgument(const std::string& argument);
// The file name a reader opens for a FILE argument: "-" is standard input.
std::string InputFileName(const std::string& argument);

// Reads a PGN file and hands the game of the given 1-based number to onGame;
// reports a file that cannot be read, or one without that game. True when
// the game was found.
bool ForGameNumber(const std::string& argument, int number, TErrorReporter& reporter,
                   const std::function<void(TPGNRec&)>& onGame);
// A name Qt can open for the file named by the bytes given: the name itself
// when it is UTF-8 (or cannot be opened, so the reader names it as missing),
// else the /proc path of a descriptor held open while this object lives. Qt
// would read other bytes as a different name.
class TOpenableName {
public:
    explicit TOpenableName(const std::string& name);
    ~TOpenableName();
    TOpenableName(const TOpenableName&) = delete;
    TOpenableName& operator=(const TOpenableName&) = delete;
    const std::string& Utf8() const { return utf8_; }

private:
    int fd_ = -1;
    std::string utf8_;
};

// The message for a failed write of an output file: a missing folder is named.
std::string OutputFailureMessage(const std::string& fileName, const std::string& message);

// The editor's default diagram (default.vxd), wherever the data was installed;
// when it is nowhere, the one beside the program, which the reader names as missing.
std::string DefaultStyleFile();

// The items of a comma-separated list, empty ones included.
std::vector<std::string> SplitCommas(const std::string& text);

}  // namespace vorlix::cli
