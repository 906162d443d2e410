#pragma once
// Pieces shared by the sub-commands: buffered UTF-8 output, messages on
// standard error, argument helpers.
#include <cstdio>
#include <string>
#include <string_view>

#include "files/ErrorReporter.h"

namespace vorlix::cli {

// Writes reader messages to standard error, one per line, with LF line ends.
class TStdErrReporter : public TErrorReporter {
public:
    void Report(TMsgKind kind, const std::string& message) override;
    bool Reported() const { return Reported_; }

private:
    bool Reported_ = false;
};

// Collects output in large blocks before handing it to a stream.
class TOutputBuffer {
public:
    explicit TOutputBuffer(std::FILE* stream = stdout) : Stream_(stream) {}
    ~TOutputBuffer() { Flush(); }
    TOutputBuffer(const TOutputBuffer&) = delete;
    TOutputBuffer& operator=(const TOutputBuffer&) = delete;

    std::string& Text() { return Text_; }  // append freely; call MaybeFlush now and then
    void MaybeFlush() {
        if (Text_.size() >= kFlushSize) Flush();
    }
    void Flush();

private:
    static constexpr size_t kFlushSize = 1 << 20;
    std::FILE* Stream_;
    std::string Text_;
};

// Message text with CR LF and lone CR turned into LF.
std::string WithLfLineEnds(std::string_view text);
// A field of a TAB-separated line: TAB, CR and LF become blanks.
void AppendField(std::string& out, std::string_view value);
// A whole decimal number >= 1 that fits an int.
bool ParsePositive(const std::string& text, int& value);

}  // namespace vorlix::cli
