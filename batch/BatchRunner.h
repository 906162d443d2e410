#pragma once
// Renders and writes the diagrams of a batch run on several threads. Jobs are
// handled in chunks; each thread has its own board with the run's style, and a
// diagram's file depends only on its job, so any number of threads writes the
// same files. Printed pages are filled in job order on the calling thread.
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "batch/DiagramOutput.h"
#include "board/HeaderFooter.h"
#include "files/BoardMarks.h"

namespace vorlix {
class TBatchPrinter;
class TkxChessBrd;
}  // namespace vorlix

namespace vorlix::cli {

enum class TOutputKind { Image, Diagram, Printed };

struct TDiagramJob {
    std::array<int32_t, 64> Codes{};
    TBoardMarks Marks;  // replaces the style's marks
    std::optional<std::string> HeaderText;  // replaces the style's text when set
    std::optional<std::string> FooterText;
    QString FileName;  // files only
};

struct TRunStyle {
    // Loads the style onto a board and its header and footer; false after a reported error.
    std::function<bool(TkxChessBrd&, THeaderFooterInfo&, THeaderFooterInfo&)> Load;
    TOutputKind Kind = TOutputKind::Image;
    TImageOptions Image;
};

class TBatchRunner {
public:
    TBatchRunner(const TRunStyle& style, int threads);
    ~TBatchRunner();

    // Makes the boards; false (with the error reported) when the style cannot be loaded.
    bool Prepare(TErrorReporter& reporter);
    // The first board, for the size of its diagrams.
    TkxChessBrd& Board();
    THeaderFooterInfo& Header();
    THeaderFooterInfo& Footer();

    // The pages of a printed run (Kind Printed).
    void SetPrinter(TBatchPrinter* printer) { Printer_ = printer; }
    // Queues a diagram; false once a diagram could not be written (see Error).
    bool Add(TDiagramJob job);
    // Handles what is queued; false once a diagram could not be written.
    bool Flush();
    int Written() const { return Written_; }
    const std::string& Error() const { return Error_; }

private:
    struct TWorker;
    struct TResult;
    void Handle(TWorker& worker, const TDiagramJob& job, TResult& result);

    TRunStyle Style_;
    int Threads_;
    TBatchPrinter* Printer_ = nullptr;
    std::vector<std::unique_ptr<TWorker>> Workers_;
    std::vector<TDiagramJob> Queue_;
    std::mutex WriteLock_;
    int Written_ = 0;
    std::string Error_;
};

}  // namespace vorlix::cli
