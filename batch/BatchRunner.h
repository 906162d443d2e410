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
#include "files/BoardMarks.h"

namespace vorlix {
class TBatchPrinter;
struct TDiagram;
}  // namespace vorlix

namespace vorlix::cli {

enum class TOutputKind { Image, Diagram, Printed };

struct TDiagramJob {
    std::array<int32_t, 64> Codes{};
    TBoardMarks Marks;                      // replaces the style's marks
    std::optional<std::string> HeaderText;  // replaces the style's text when set
    std::optional<std::string> FooterText;
    QString FileName;  // files only
};

struct TRunStyle {
    // Loads the style onto a diagram; false after a reported error.
    std::function<bool(TDiagram&)> Load;
    TOutputKind Kind = TOutputKind::Image;
    TImageChoice Image;
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
    // Queues a diagram; false once a diagram could not be written (see Error).
    bool Add(TDiagramJob job);
    // Handles what is queued; false once a diagram could not be written.
    bool Flush();
    int Written() const { return written_; }
    const std::string& Error() const { return error_; }

private:
    struct TWorker;
    struct TResult;
    void Handle(TWorker& worker, const TDiagramJob& job, TResult& result);

    TRunStyle style_;
    int threads_;
    TBatchPrinter* printer_ = nullptr;
    std::vector<std::unique_ptr<TWorker>> workers_;
    std::vector<TDiagramJob> queue_;
    std::mutex writeLock_;
    int written_ = 0;
    std::string error_;
};

}  // namespace vorlix::cli
