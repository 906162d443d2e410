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
    explicit TGameText(TOutputBuffer& out, int gamesBefore = 0) : Out_(&out), Games_(gamesBefore) {}
    // Kept until WriteTo, which puts in the numbers once the games before are counted.
    TGameText() = default;
    TGameText(const TGameText&) = delete;
    TGameText& operator=(const TGameText&) = delete;

    std::string& Text() { return Out_ ? Out_->Text() : Text_; }
    // The number of the game that starts here.
    void PutGameNumber();
    // Hands full blocks to the output when written straight into it.
    void MaybeFlush() {
        if (Out_) Out_->MaybeFlush();
    }
    // Writes kept text with its games numbered after `gamesBefore`.
    void WriteTo(TOutputBuffer& out, int gamesBefore) const;
    // Notes that the game numbered last could not be handled whole.
    void GameFailed(std::string message) { Failures_.push_back({Games_, std::move(message)}); }
    // Reports the games noted since the last call, each named by its number
    // (kept text: numbered after `gamesBefore`); returns how many.
    int ReportFailures(TErrorReporter& reporter, int gamesBefore);
    // The games numbered so far (kept text: the games it holds).
    int Games() const { return Games_; }
    // Kept text: hands over its buffer once written, and takes one to fill, so
    // that the memory of large blocks is reused instead of mapped afresh.
    std::string ReleaseBuffer() { return std::move(Text_); }
    void UseBuffer(std::string buffer) {
        Text_ = std::move(buffer);
        Text_.clear();
    }

private:
    TOutputBuffer* Out_ = nullptr;
    std::string Text_;
    std::vector<size_t> NumberAt_;  // kept text: where each game's number goes
    struct TFailure {
        int Game;
        std::string Message;
    };
    std::vector<TFailure> Failures_;
    int Games_ = 0;
};

}  // namespace vorlix::cli
