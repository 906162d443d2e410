#include "cli/GameText.h"

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

}  // namespace vorlix::cli
