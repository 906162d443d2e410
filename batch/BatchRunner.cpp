#include "batch/BatchRunner.h"

#include <atomic>
#include <mutex>
#include <thread>

#include "export/DiagramImage.h"
#include "export/VectorDiagramImage.h"
#include "print/BatchPrinter.h"
#include "board/ChessBoard.h"
#include "board/DiagramFile.h"

namespace vorlix::cli {

namespace {
// Enough work per chunk to keep every thread busy, little enough to bound memory.
constexpr size_t kFileChunk = 512;
constexpr size_t kPrintedChunk = 64;
}  // namespace

struct TBatchRunner::TWorker {
    TkxChessBrd Board;
    THeaderFooterInfo Header, Footer;
    TCollectingReporter Reporter;
};

struct TBatchRunner::TResult {
    bool Ok = true;
    std::string Error;
    TPrintedDiagram Diagram;  // printed runs
};

TBatchRunner::TBatchRunner(const TRunStyle& style, int threads) : Style_(style), Threads_(std::max(threads, 1)) {}

TBatchRunner::~TBatchRunner() = default;

bool TBatchRunner::Prepare(TErrorReporter& reporter) {
    for (int i = 0; i < Threads_; ++i) {
        auto worker = std::make_unique<TWorker>();
        worker->Board.SetErrorReporter(&reporter);
        if (!Style_.Load(worker->Board, worker->Header, worker->Footer)) return false;
        worker->Board.SetErrorReporter(&worker->Reporter);
        // Render once here, so the threads only ever read what the board prepared.
        worker->Board.Render();
        Workers_.push_back(std::move(worker));
    }
    return true;
}

TkxChessBrd& TBatchRunner::Board() { return Workers_.front()->Board; }
THeaderFooterInfo& TBatchRunner::Header() { return Workers_.front()->Header; }
THeaderFooterInfo& TBatchRunner::Footer() { return Workers_.front()->Footer; }

bool TBatchRunner::Add(TDiagramJob job) {
    if (!Error_.empty()) return false;
    Queue_.push_back(std::move(job));
    const size_t chunk = Style_.Kind == TOutputKind::Printed ? kPrintedChunk : kFileChunk;
    return Queue_.size() < chunk * Workers_.size() || Flush();
}

void TBatchRunner::Handle(TWorker& w, const TDiagramJob& job, TResult& result) {
    w.Board.SetCodes(job.Codes);
    w.Board.SetMarks(job.Marks);
    if (job.HeaderText) w.Header.Text = *job.HeaderText;
    if (job.FooterText) w.Footer.Text = *job.FooterText;
    w.Reporter.Messages.clear();
    std::vector<std::uint8_t> bytes;
    switch (Style_.Kind) {
        case TOutputKind::Image:
            result.Ok = EncodeBatchImage(w.Board, w.Header, w.Footer, Style_.Image, bytes, result.Error);
            if (!result.Ok) result.Error = job.FileName.toStdString() + ": " + result.Error;
            break;
        case TOutputKind::Diagram:
            bytes = EncodeDiagram(w.Board, kVxdVersion, w.Footer, w.Header);
            break;
        case TOutputKind::Printed:
            result.Diagram = RecordPrintedDiagram(DiagramImageSize(w.Board, w.Header, w.Footer), [&](QPainter& p) {
                PaintDiagramImage(p, w.Board, w.Header, w.Footer);
            });
            return;
    }
    if (!result.Ok) return;
    // The files are written one at a time; the encoding above is what takes long.
    std::lock_guard<std::mutex> lock(WriteLock_);
    result.Ok = WriteBatchBytes(job.FileName, bytes, w.Reporter, false);
    if (!result.Ok) result.Error = w.Reporter.Last();
}

bool TBatchRunner::Flush() {
    if (!Error_.empty()) return false;
    // Every header and footer setting but the text is the same for all workers.
    for (auto& w : Workers_) {
        w->Header.Enabled = Workers_.front()->Header.Enabled;
        w->Footer.Enabled = Workers_.front()->Footer.Enabled;
    }
    std::vector<TResult> results(Queue_.size());
    std::atomic<size_t> next{0};
    auto work = [&](TWorker& worker) {
        for (size_t i; (i = next++) < Queue_.size();) Handle(worker, Queue_[i], results[i]);
    };
    std::vector<std::thread> threads;
    for (size_t k = 1; k < Workers_.size() && k < Queue_.size(); ++k) threads.emplace_back(work, std::ref(*Workers_[k]));
    work(*Workers_.front());
    for (std::thread& t : threads) t.join();

    for (TResult& r : results) {
        if (r.Ok && Printer_ && !Printer_->Print(r.Diagram, r.Error)) r.Ok = false;
        if (!r.Ok) {
            Error_ = r.Error;
            break;
        }
        ++Written_;
    }
    Queue_.clear();
    return Error_.empty();
}

}  // namespace vorlix::cli
