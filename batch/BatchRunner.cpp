#include "batch/BatchRunner.h"

#include <atomic>
#include <mutex>
#include <thread>

#include "board/DiagramBoard.h"
#include "board/DiagramFile.h"
#include "export/DiagramImage.h"
#include "print/BatchPrinter.h"

namespace vorlix::cli {

namespace {
// Enough work per chunk to keep every thread busy, little enough to bound memory.
constexpr size_t kFileChunk = 512;
constexpr size_t kPrintedChunk = 64;
}  // namespace

struct TBatchRunner::TWorker {
    TDiagramBoard Board;
    THeaderFooterInfo Header, Footer;
    TCollectingReporter Reporter;
};

struct TBatchRunner::TResult {
    bool Ok = true;
    std::string Error;
    QImage Image;  // printed runs
};

TBatchRunner::TBatchRunner(const TRunStyle& style, int threads) : style_(style), threads_(std::max(threads, 1)) {}

TBatchRunner::~TBatchRunner() = default;

bool TBatchRunner::Prepare(TErrorReporter& reporter) {
    for (int i = 0; i < threads_; ++i) {
        auto worker = std::make_unique<TWorker>();
        worker->Board.SetErrorReporter(&reporter);
        if (!style_.Load(worker->Board, worker->Header, worker->Footer)) return false;
        worker->Board.SetErrorReporter(&worker->Reporter);
        // Render once here, so the threads only ever read what the board prepared.
        worker->Board.Render();
        workers_.push_back(std::move(worker));
    }
    return true;
}

TDiagramBoard& TBatchRunner::Board() { return workers_.front()->Board; }
THeaderFooterInfo& TBatchRunner::Header() { return workers_.front()->Header; }
THeaderFooterInfo& TBatchRunner::Footer() { return workers_.front()->Footer; }

bool TBatchRunner::Add(TDiagramJob job) {
    if (!error_.empty()) return false;
    queue_.push_back(std::move(job));
    const size_t chunk = style_.Kind == TOutputKind::Printed ? kPrintedChunk : kFileChunk;
    return queue_.size() < chunk * workers_.size() || Flush();
}

void TBatchRunner::Handle(TWorker& w, const TDiagramJob& job, TResult& result) {
    w.Board.SetCodes(job.Codes);
    w.Board.SetMarks(job.Marks);
    if (job.HeaderText) w.Header.Text = *job.HeaderText;
    if (job.FooterText) w.Footer.Text = *job.FooterText;
    w.Reporter.Messages.clear();
    std::vector<std::uint8_t> bytes;
    switch (style_.Kind) {
        case TOutputKind::Image:
            result.Ok = EncodeBatchImage(w.Board, w.Header, w.Footer, style_.Image, bytes, result.Error);
            if (!result.Ok) result.Error = job.FileName.toStdString() + ": " + result.Error;
            break;
        case TOutputKind::Diagram: bytes = EncodeDiagram(w.Board, kVxdVersion, w.Footer, w.Header); break;
        case TOutputKind::Printed: result.Image = RenderDiagramImage(w.Board, w.Header, w.Footer); return;
    }
    if (!result.Ok) return;
    // The files are written one at a time; the encoding above is what takes long.
    std::lock_guard<std::mutex> lock(writeLock_);
    result.Ok = WriteBatchBytes(job.FileName, bytes, w.Reporter, false);
    if (!result.Ok) result.Error = w.Reporter.Last();
}

bool TBatchRunner::Flush() {
    if (!error_.empty()) return false;
    // Every header and footer setting but the text is the same for all workers.
    for (auto& w : workers_) {
        w->Header.Enabled = workers_.front()->Header.Enabled;
        w->Footer.Enabled = workers_.front()->Footer.Enabled;
    }
    std::vector<TResult> results(queue_.size());
    std::atomic<size_t> next{0};
    auto work = [&](TWorker& worker) {
        for (size_t i; (i = next++) < queue_.size();) Handle(worker, queue_[i], results[i]);
    };
    std::vector<std::thread> threads;
    for (size_t k = 1; k < workers_.size() && k < queue_.size(); ++k)
        threads.emplace_back(work, std::ref(*workers_[k]));
    work(*workers_.front());
    for (std::thread& t : threads) t.join();

    for (TResult& r : results) {
        if (r.Ok && printer_ && !printer_->Print(r.Image, r.Error)) r.Ok = false;
        if (!r.Ok) {
            error_ = r.Error;
            break;
        }
        ++written_;
    }
    queue_.clear();
    return error_.empty();
}

}  // namespace vorlix::cli
