#include "cli/GameText.h"

#include "files/GameReplay.h"

namespace vorlix::cli {

void TGameText::PutGameNumber() {
    ++Games_;
    if (Out_) Out_->Text() += std::to_string(Games_);
    else NumberAt_.push_back(Text_.size());
}

void TGameText::WriteTo(TOutputBuffer& out, int gamesBefore) const {
    size_t from = 0;
    int number = gamesBefore;
    for (const size_t at : NumberAt_) {
        out.Text().append(Text_, from, at - from);
        out.Text() += std::to_string(++number);
        from = at;
        out.MaybeFlush();
    }
    out.Text().append(Text_, from, std::string::npos);
    out.MaybeFlush();
}

int TGameText::ReportFailures(TErrorReporter& reporter, int gamesBefore) {
    for (const TFailure& f : Failures_) reporter.Report(TMsgKind::Error, GameMessage(gamesBefore + f.Game, f.Message));
    const int count = static_cast<int>(Failures_.size());
    Failures_.clear();
    return count;
}

}  // namespace vorlix::cli
