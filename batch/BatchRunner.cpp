#include "batch/BatchRunner.h"

#include <atomic>
#include <mutex>
#include <thread>

#include "export/DiagramImage.h"
#include "print/BatchPrinter.h"
#include "board/Diagram.h"
#include "board/DiagramFile.h"

namespace vorlix::cli {

namespace {
// Enough work per chunk to keep every thread busy, little enough to bound memory.
constexpr size_t kFileChunk = 512;
constexpr size_t kPrintedChunk = 64;
}  // namespace

struct TBatchRunner::TWorker {
    TDiagram Diagram;
    TCollectingReporter Reporter;
};

struct TBatchRunner::TResult {
    bool Ok = true;
    std::string Error;
    QImage Image;  // printed runs
};

TBatchRunner::TBatchRunner(const TRunStyle& style, int threads) : Style_(style), Threads_(std::max(threads, 1)) {}

TBatchRunner::~TBatchRunner() = default;

bool TBatchRunner::Prepare(TErrorReporter& reporter) {
    for (int i = 0; i < Threads_; ++i) {
        auto worker = std::make_unique<TWorker>();
        TkxChessBrd& board = worker->Diagram.Board;
        board.SetErrorReporter(&reporter);
        if (!Style_.Load(worker->Diagram)) return false;
        board.SetErrorReporter(&worker->Reporter);
        // Render once here, so the threads only ever read what the board prepared.
        board.Render();
        Workers_.push_back(std::move(worker));
    }
    return true;
}

TDiagram& TBatchRunner::Diagram() { return Workers_.front()->Diagram; }

bool TBatchRunner::Add(TDiagramJob job) {
    if (!Error_.empty()) return false;
    Queue_.push_back(std::move(job));
    const size_t chunk = Style_.Kind == TOutputKind::Printed ? kPrintedChunk : kFileChunk;
    return Queue_.size() < chunk * Workers_.size() || Flush();
}

void TBatchRunner::Handle(TWorker& w, const TDiagramJob& job, TResult& result) {
    TDiagram& diagram = w.Diagram;
    diagram.Board.SetCodes(job.Codes);
    diagram.Board.SetMarks(job.Marks);
    if (job.HeaderText) diagram.Header.Text = *job.HeaderText;
    if (job.FooterText) diagram.Footer.Text = *job.FooterText;
    w.Reporter.Messages.clear();
    std::vector<std::uint8_t> bytes;
    switch (Style_.Kind) {
        case TOutputKind::Image:
            result.Ok = EncodeBatchImage(diagram, Style_.Image, bytes, result.Error);
            if (!result.Ok) result.Error = job.FileName.toStdString() + ": " + result.Error;
            break;
        case TOutputKind::Diagram:
            bytes = EncodeDiagram(diagram, kVxdVersion);
            break;
        case TOutputKind::Printed:
            result.Image = RenderDiagramImage(diagram);
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
        w->Diagram.Header.Enabled = Diagram().Header.Enabled;
        w->Diagram.Footer.Enabled = Diagram().Footer.Enabled;
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
        if (r.Ok && Printer_ && !Printer_->Print(r.Image, r.Error)) r.Ok = false;
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
