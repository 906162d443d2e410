#include "cli/GameText.h"

#include "files/GameReplay.h"

namespace vorlix::cli {

void TGameText::PutGameNumber() {
    ++games_;
    if (out_)
        out_->Text() += std::to_string(games_);
    else
        numberAt_.push_back(text_.size());
}

void TGameText::WriteTo(TOutputBuffer& out, int gamesBefore) const {
    size_t from = 0;
    int number = gamesBefore;
    for (const size_t at : numberAt_) {
        out.Text().append(text_, from, at - from);
        out.Text() += std::to_string(++number);
        from = at;
        out.MaybeFlush();
    }
    out.Text().append(text_, from, std::string::npos);
    out.MaybeFlush();
}

int TGameText::ReportFailures(TErrorReporter& reporter, int gamesBefore) {
    for (const TFailure& f : failures_) reporter.Report(TMsgKind::Error, GameMessage(gamesBefore + f.Game, f.Message));
    const int count = static_cast<int>(failures_.size());
    failures_.clear();
    return count;
}

}  // namespace vorlix::cli
