#pragma once
// Output of the commands that write a line or a block per game of a PGN file,
// each starting with the game's number.
#include <string>
#include <vector>

#include "cli/CliUtil.h"
#include "files/ErrorReporter.h"

namespace vorlix::cli {

class TGameText {
public:
    // Written straight into the output, numbered after `gamesBefore`.
    explicit TGameText(TOutputBuffer& out, int gamesBefore = 0) : out_(&out), games_(gamesBefore) {}
    // Kept until WriteTo, which puts in the numbers once the games before are counted.
    TGameText() = default;
    TGameText(const TGameText&) = delete;
    TGameText& operator=(const TGameText&) = delete;

    std::string& Text() { return out_ ? out_->Text() : text_; }
    // The number of the game that starts here.
    void PutGameNumber();
    // Hands full blocks to the output when written straight into it.
    void MaybeFlush() {
        if (out_) out_->MaybeFlush();
    }
    // Writes kept text with its games numbered after `gamesBefore`.
    void WriteTo(TOutputBuffer& out, int gamesBefore) const;
    // Notes that the game numbered last could not be handled whole.
    void GameFailed(std::string message) { failures_.push_back({games_, std::move(message)}); }
    // Reports the games noted since the last call, each named by its number
    // (kept text: numbered after `gamesBefore`); returns how many.
    int ReportFailures(TErrorReporter& reporter, int gamesBefore);
    // The games numbered so far (kept text: the games it holds).
    int Games() const { return games_; }
    // Kept text: hands over its buffer once written, and takes one to fill, so
    // that the memory of large blocks is reused instead of mapped afresh.
    std::string ReleaseBuffer() { return std::move(text_); }
    void UseBuffer(std::string buffer) {
        text_ = std::move(buffer);
        text_.clear();
    }

private:
    TOutputBuffer* out_ = nullptr;
    std::string text_;
    std::vector<size_t> numberAt_;  // kept text: where each game's number goes
    struct TFailure {
        int Game;
        std::string Message;
    };
    std::vector<TFailure> failures_;
    int games_ = 0;
};

}  // namespace vorlix::cli
