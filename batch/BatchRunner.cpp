#include "batch/BatchRunner.h"

#include <malloc.h>

#include <mutex>
#include <thread>

#include "board/ChessBoard.h"
#include "board/DiagramFile.h"
#include "export/DiagramImage.h"
#include "print/BatchPrinter.h"

namespace vorlix {

namespace {
// Enough work per chunk to keep every thread busy, little enough to bound memory.
constexpr size_t kFileChunk = 512;
constexpr size_t kPrintedChunk = 64;

const std::string kNoError;
}  // namespace

TRunStyle StyleOfBoard(const TkxChessBrd& board, const THeaderFooterInfo& header, const THeaderFooterInfo& footer,
                       TOutputKind kind, const TImageOptions& image) {
    TRunStyle style;
    // Through the diagram file's bytes: everything a diagram is drawn from, and nothing shared.
    auto bytes = std::make_shared<const std::vector<uint8_t>>(EncodeDiagram(board, kVxdVersion, footer, header));
    style.Load = [bytes, header, footer](TkxChessBrd& to, THeaderFooterInfo& toHeader, THeaderFooterInfo& toFooter) {
        toHeader = header;
        toFooter = footer;
        to.BeginUpdate();
        to.Border().Clear();
        to.ClearMarks();
        to.SetLightSquareBitmap(QImage());
        to.SetDarkSquareBitmap(QImage());
        DecodeDiagram(*bytes, to, toHeader, toFooter);
        to.EndUpdate();
        return true;
    };
    style.Kind = kind;
    style.Image = image;
    return style;
}

struct TBatchRunner::TWorker {
    TkxChessBrd Board;
    THeaderFooterInfo Header, Footer;
    TCollectingReporter Reporter;
};

struct TBatchRunner::TResult {
    bool Handled = false;  // false: cancelled before its turn
    bool Ok = true;
    std::string Error;
    QImage Image;  // printed runs
};

TBatchRunner::TBatchRunner(const TRunStyle& style, int threads) : Style_(style), Threads_(std::max(threads, 1)) {}

TBatchRunner::~TBatchRunner() = default;

bool TBatchRunner::Prepare(TErrorReporter& reporter) {
    // Every diagram takes and frees the same few buffers: keep the freed
    // memory rather than hand it back to the system and fault it in again.
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
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

TBatchEnd TBatchRunner::End() const {
    return Failure_ ? TBatchEnd::Failed : Cancelled_ ? TBatchEnd::Cancelled : TBatchEnd::Done;
}

const std::string& TBatchRunner::Error() const { return Failure_ ? Failure_->Message : kNoError; }

bool TBatchRunner::Add(TDiagramJob job) {
    if (Stopped()) return false;
    Queue_.push_back(std::move(job));
    const size_t chunk = Style_.Kind == TOutputKind::Printed ? kPrintedChunk : kFileChunk;
    return Queue_.size() < chunk * Workers_.size() || Flush();
}

void TBatchRunner::Handle(TWorker& w, const TDiagramJob& job, TResult& result) {
    if (Cancelled_) return;
    result.Handled = true;
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
            result.Image = RenderDiagramImage(w.Board, w.Header, w.Footer);
            return;
    }
    if (!result.Ok) return;
    // The files are written one at a time; the encoding above is what takes long.
    std::lock_guard<std::mutex> lock(WriteLock_);
    result.Ok = WriteBatchBytes(job.FileName, bytes, w.Reporter, false);
    if (!result.Ok) result.Error = w.Reporter.Last();
}

bool TBatchRunner::Flush() {
    if (Stopped()) {
        Queue_.clear();
        return false;
    }
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

    for (size_t i = 0; i < results.size(); ++i) {
        TResult& r = results[i];
        if (!r.Handled) break;  // cancelled
        const long long job = Handled_++;
        if (r.Ok && Printer_) {
            if (Queue_[i].NewPage) r.Ok = Printer_->EndPage(r.Error);
            if (r.Ok) r.Ok = Printer_->Print(r.Image, r.Error);
        }
        if (!r.Ok) {
            Failure_ = TJobError{job, r.Error};
            break;
        }
        ++Written_;
        if (Progress_) Progress_(Queue_[i], Written_);
    }
    Queue_.clear();
    return !Stopped();
}

bool TBatchRunner::NextStartsPage() { return !Printer_ || Printer_->NextStartsPage(); }

bool TBatchRunner::EndPage() {
    if (!Printer_ || Failure_) return !Failure_;
    std::string error;
    if (!Printer_->EndPage(error)) Failure_ = TJobError{Handled_, error};
    return !Failure_;
}

}  // namespace vorlix
