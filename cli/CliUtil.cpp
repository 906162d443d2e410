#include "cli/CliUtil.h"

#include <charconv>

namespace vorlix::cli {

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

void TStdErrReporter::Report(TMsgKind, const std::string& message) {
    Reported_ = true;
    const std::string text = WithLfLineEnds(message) + "\n";
    std::fflush(stdout);
    std::fputs(text.c_str(), stderr);
}

void TOutputBuffer::Flush() {
    if (!Text_.empty()) std::fwrite(Text_.data(), 1, Text_.size(), Stream_);
    Text_.clear();
    std::fflush(Stream_);
}

void AppendField(std::string& out, std::string_view value) {
    const size_t start = out.size();
    out.append(value);
    for (size_t i = start; i < out.size(); ++i)
        if (out[i] == '\t' || out[i] == '\r' || out[i] == '\n') out[i] = ' ';
}


bool ParsePositive(const std::string& text, int& value) {
    const auto [end, err] = std::from_chars(text.data(), text.data() + text.size(), value);
    return err == std::errc() && end == text.data() + text.size() && value >= 1;
}

}  // namespace vorlix::cli
