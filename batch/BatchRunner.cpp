#include "batch/BatchRunner.h"

#include <malloc.h>

#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "batch/BatchFileName.h"
#include "board/Diagram.h"
#include "board/DiagramFile.h"
#include "export/DiagramImage.h"
#include "export/VectorDiagramImage.h"
#include "print/BatchPrinter.h"

namespace vorlix {

namespace {
// Enough work per chunk to keep every thread busy, little enough to bound memory.
constexpr size_t kFileChunk = 512;
constexpr size_t kPrintedChunk = 64;

const std::string kNoError;
}  // namespace

TRunStyle StyleOfDiagram(const TDiagram& diagram, TOutputKind kind, const TImageOptions& image) {
    TRunStyle style;
    // Through the diagram file's bytes: everything a diagram is drawn from, and nothing shared.
    auto bytes = std::make_shared<const std::vector<uint8_t>>(EncodeDiagram(diagram, kVxdVersion));
    // A piece set from SVG files and a theme's mark colour are no part of the file's bytes: they travel beside them.
    style.Load = [bytes, header = diagram.Header, footer = diagram.Footer, pieceSet = diagram.Board.PieceSet(),
                  showMover = diagram.Board.ShowSideToMove(), markColor = diagram.Board.MoveMarkColor()](TDiagram& to) {
        to.Header = header;
        to.Footer = footer;
        to.Board.BeginUpdate();
        to.Board.Border().Clear();
        to.Board.ClearMarks();
        to.Board.SetShowSideToMove(showMover);
        to.Board.SetLightSquareBitmap(QImage());
        to.Board.SetDarkSquareBitmap(QImage());
        DecodeDiagram(*bytes, to);
        to.Board.SetPieceSet(pieceSet);
        to.Board.SetMoveMarkColor(markColor);
        to.Board.EndUpdate();
        return true;
    };
    style.Kind = kind;
    style.Image = image;
    return style;
}

struct TBatchRunner::TWorker {
    TDiagram Diagram;
    QImage Canvas;  // what its diagrams with a header or footer are composed on, one after another
    TView StyleView = vwWhiteUnder;
    TCollectingReporter Reporter;
};

struct TBatchRunner::TResult {
    bool Handled = false;  // false: cancelled before its turn
    bool Ok = true;
    bool OutOfMemory = false;
    std::string Error;
    TPrintedDiagram Diagram;  // printed runs
};

TBatchRunner::TBatchRunner(const TRunStyle& style, int threads) : style_(style), threads_(std::max(threads, 1)) {}

TBatchRunner::~TBatchRunner() = default;

bool TBatchRunner::Prepare(TErrorReporter& reporter) {
    // Every diagram takes and frees the same few buffers: keep the freed
    // memory rather than hand it back to the system and fault it in again.
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    for (int i = 0; i < threads_; ++i) {
        auto worker = std::make_unique<TWorker>();
        TDiagramBoard& board = worker->Diagram.Board;
        board.SetErrorReporter(&reporter);
        if (!style_.Load(worker->Diagram)) return false;
        board.SetErrorReporter(&worker->Reporter);
        worker->StyleView = board.View();
        // Each diagram brings its own side to move; the first rendering, which
        // the page layout measures, must have the mover column they will have.
        if (board.ShowSideToMove() && board.SideToMove() == TSideToMove::None) board.SetSideToMove(TSideToMove::White);
        // Render once here, so the threads only ever read what the board prepared.
        board.Render();
        workers_.push_back(std::move(worker));
    }
    return true;
}

TDiagram& TBatchRunner::Diagram() { return workers_.front()->Diagram; }

TBatchEnd TBatchRunner::End() const {
    return failure_ ? TBatchEnd::Failed : cancelled_ ? TBatchEnd::Cancelled : TBatchEnd::Done;
}

const std::string& TBatchRunner::Error() const { return failure_ ? failure_->Message : kNoError; }

bool TBatchRunner::Add(TDiagramJob job) {
    if (Stopped()) return false;
    queue_.push_back(std::move(job));
    const size_t chunk = style_.Kind == TOutputKind::Printed ? kPrintedChunk : kFileChunk;
    return queue_.size() < chunk * workers_.size() || Flush();
}

void TBatchRunner::Handle(TWorker& w, const TDiagramJob& job, TResult& result) {
    if (cancelled_) return;
    result.Handled = true;
    TDiagram& diagram = w.Diagram;
    diagram.Board.SetCodes(job.Codes);
    diagram.Board.SetMarks(job.Marks);
    diagram.Board.SetSideToMove(job.SideToMove);
    diagram.Board.SetMoveState(job.MoveState);
    diagram.Board.SetView(job.View.value_or(w.StyleView));
    if (job.HeaderText) diagram.Header.Text = *job.HeaderText;
    if (job.FooterText) diagram.Footer.Text = *job.FooterText;
    w.Reporter.Messages.clear();
    std::vector<std::uint8_t> bytes;
    switch (style_.Kind) {
        case TOutputKind::Image:
            result.Ok = EncodeBatchImage(diagram, style_.Image, bytes, result.Error, &w.Canvas);
            if (!result.Ok) result.Error = LocalFileName(job.FileName) + ": " + result.Error;
            break;
        case TOutputKind::Diagram: bytes = EncodeDiagram(diagram, kVxdVersion); break;
        case TOutputKind::Printed:
            result.Diagram =
                RecordPrintedDiagram(DiagramImageSize(diagram), [&](QPainter& p) { PaintDiagramImage(p, diagram); });
            return;
    }
    if (!result.Ok) return;
    // Each worker writes its own files, side by side with the others.
    result.Ok = WriteBatchBytes(job.FileName, bytes, w.Reporter, false);
    if (!result.Ok) result.Error = w.Reporter.Last();
}

bool TBatchRunner::Flush() {
    if (Stopped()) {
        queue_.clear();
        return false;
    }
    // Every header and footer setting but the text is the same for all workers.
    for (auto& w : workers_) {
        w->Diagram.Header.Enabled = Diagram().Header.Enabled;
        w->Diagram.Footer.Enabled = Diagram().Footer.Enabled;
    }
    std::vector<TResult> results(queue_.size());
    std::atomic<size_t> next{0};
    auto work = [&](TWorker& worker) {
        for (size_t i; (i = next++) < queue_.size();) {
            try {
                Handle(worker, queue_[i], results[i]);
            } catch (const std::bad_alloc&) {
                // On a thread nothing else would catch it: the run ends with a message
                // instead, made below, as making it here may need memory too.
                results[i].Handled = true;
                results[i].Ok = false;
                results[i].OutOfMemory = true;
            }
        }
    };
    std::vector<std::thread> threads;
    try {
        for (size_t k = 1; k < workers_.size() && k < queue_.size(); ++k)
            threads.emplace_back(work, std::ref(*workers_[k]));
    } catch (const std::system_error&) {
        // Fewer threads when the system cannot start them all: the others take their share.
    }
    work(*workers_.front());
    for (std::thread& t : threads) t.join();

    for (size_t i = 0; i < results.size(); ++i) {
        TResult& r = results[i];
        if (!r.Handled) break;  // cancelled
        const long long job = handled_++;
        if (r.Ok && printer_) {
            if (queue_[i].NewPage) r.Ok = printer_->EndPage(r.Error);
            if (r.Ok) r.Ok = printer_->Print(r.Diagram, r.Error);
        }
        if (r.OutOfMemory) {
            const QString& name = queue_[i].FileName;
            r.Error = name.isEmpty() ? "out of memory" : LocalFileName(name) + ": out of memory";
        }
        if (!r.Ok) {
            failure_ = TJobError{job, r.Error};
            break;
        }
        ++written_;
        if (progress_) progress_(queue_[i], written_);
    }
    queue_.clear();
    return !Stopped();
}

bool TBatchRunner::NextStartsPage() { return !printer_ || printer_->NextStartsPage(); }

bool TBatchRunner::EndPage() {
    if (!printer_ || failure_) return !failure_;
    std::string error;
    if (!printer_->EndPage(error)) failure_ = TJobError{handled_, error};
    return !failure_;
}

}  // namespace vorlix
