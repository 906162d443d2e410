#pragma once
// Prints batch diagrams on a print target: each alone in its own print job, or
// as many per page as the grid holds, a page being one print job.
#include <QImage>
#include <string>

#include "print/PageLayout.h"
#include "print/PrintedDiagram.h"

namespace vorlix {

class TPrintTarget;

inline const QString kPrintJobTitle = QStringLiteral("Chess Vorlix");

class TBatchPrinter {
public:
    TBatchPrinter(TPrintTarget& target, const TPageGrid& grid, bool manyPerPage);
    // Drops a page in progress.
    ~TBatchPrinter();
    TBatchPrinter(const TBatchPrinter&) = delete;
    TBatchPrinter& operator=(const TBatchPrinter&) = delete;

    // Whether the next diagram starts a new page (the current one is full or none is open).
    bool NextStartsPage();
    // Prints one diagram into its place on the page; false with a message when
    // the printer fails (the job is then aborted).
    bool Print(const TPrintedDiagram& diagram, std::string& error);
    // The same for a picture that exists only as pixels: it is stretched into its place.
    bool Print(const QImage& image, std::string& error);
    // Ends the page in progress, if any (a new game's new page, or the end of the run).
    bool EndPage(std::string& error);
    // Drops the page in progress.
    void Abort();
    int PagesStarted() const { return pages_; }

private:
    bool BeginPage(std::string& error);
    // The next diagram's place, a page begun or ended as needed; nullopt after a failure.
    std::optional<QRect> NextPlace(std::string& error);
    bool DiagramDone(std::string& error);

    TPrintTarget& target_;
    TPageGrid grid_;
    bool manyPerPage_;
    TPagePlacement placement_;
    int pages_ = 0;
};

}  // namespace vorlix
