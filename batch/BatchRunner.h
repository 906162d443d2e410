#pragma once
// The one batch run: the command line and both batch dialogs hand it their
// diagrams as jobs, and it renders and writes them (image or diagram files) or
// prints them, telling each written diagram in job order. Jobs are handled in
// chunks; each thread has its own board with the run's style, and a diagram's
// file depends only on its job, so any number of threads writes the same
// files. Printed pages are filled in job order on the thread that drives the
// run. A run can be cancelled from any thread; it stops at its first error,
// which it keeps as a value with the job it belongs to.
#include <QString>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "batch/DiagramOutput.h"
#include "board/PositionMarks.h"
#include "board/SquareInfo.h"
#include "files/BoardMarks.h"

namespace vorlix {

class TBatchPrinter;
struct TDiagram;

enum class TOutputKind { Image, Diagram, Printed };

struct TDiagramJob {
    std::array<int32_t, 64> Codes{};
    TBoardMarks Marks;  // replaces the style's marks
    TSideToMove SideToMove = TSideToMove::None;
    TMoveState MoveState;                   // the last move, check and glyph shown
    std::optional<TView> View;              // replaces the style's view when set (the mover at the bottom)
    std::optional<std::string> HeaderText;  // replaces the style's text when set
    std::optional<std::string> FooterText;
    QString FileName;      // files only
    bool NewPage = false;  // printed many per page: the page in progress ends before this diagram
};

struct TRunStyle {
    // Loads the style onto a diagram; false after a reported error.
    std::function<bool(TDiagram&)> Load;
    TOutputKind Kind = TOutputKind::Image;
    TImageOptions Image;
};

// A style that is a copy of a diagram as it is now.
TRunStyle StyleOfDiagram(const TDiagram& diagram, TOutputKind kind, const TImageOptions& image = {});

// How a run ended.
enum class TBatchEnd { Done, Cancelled, Failed };

// The diagram that could not be written or printed: its place among the run's
// jobs (from 0) and the message, which names the file.
struct TJobError {
    long long Job = 0;
    std::string Message;
};

class TBatchRunner {
public:
    TBatchRunner(const TRunStyle& style, int threads);
    ~TBatchRunner();

    // Makes the boards; false (with the error reported) when the style cannot be loaded.
    bool Prepare(TErrorReporter& reporter);
    // The first worker's diagram, for the size of its pictures.
    TDiagram& Diagram();

    // The pages of a printed run (Kind Printed).
    void SetPrinter(TBatchPrinter* printer) { printer_ = printer; }
    // Told each diagram written or printed, in job order, on the thread that
    // calls Add and Flush, with the number written so far.
    void SetProgress(std::function<void(const TDiagramJob&, int written)> progress) { progress_ = std::move(progress); }

    // Queues a diagram; false once the run has stopped (an error or a cancel).
    bool Add(TDiagramJob job);
    // Handles what is queued; false once the run has stopped.
    bool Flush();
    // Whether the next printed diagram would start a page (always for files).
    bool NextStartsPage();
    // Ends the printed page in progress, if any; false after an error (see Error).
    bool EndPage();

    // Stops the run: no diagram after the one in hand is written. Any thread.
    void Cancel() { cancelled_ = true; }
    bool Cancelled() const { return cancelled_; }

    int Written() const { return written_; }
    TBatchEnd End() const;
    const std::optional<TJobError>& Failure() const { return failure_; }
    // The failure's message; empty while there is none.
    const std::string& Error() const;

private:
    struct TWorker;
    struct TResult;
    void Handle(TWorker& worker, const TDiagramJob& job, TResult& result);
    bool Stopped() const { return failure_ || cancelled_; }

    TRunStyle style_;
    int threads_;
    TBatchPrinter* printer_ = nullptr;
    std::function<void(const TDiagramJob&, int)> progress_;
    std::vector<std::unique_ptr<TWorker>> workers_;
    std::vector<TDiagramJob> queue_;
    std::atomic<bool> cancelled_{false};
    int written_ = 0;
    long long handled_ = 0;  // jobs taken from the queue so far
    std::optional<TJobError> failure_;
};

}  // namespace vorlix
