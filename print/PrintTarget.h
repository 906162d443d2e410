#pragma once
// A printer as the printing code sees it: a page size in printer pixels and a
// canvas for one print job at a time. The editor hands over the system's
// printer; the command line and tests print into PDF files.
#include <QSize>
#include <QString>
#include <string>

class QPainter;

namespace vorlix {

class TPrintTarget {
public:
    virtual ~TPrintTarget() = default;
    // The printable page in printer pixels.
    virtual QSize PageSize() const = 0;
    // Starts a job; false with a message when the printer cannot start one.
    virtual bool BeginJob(const QString& title, std::string& error) = 0;
    // The canvas of the running job (device pixels, origin at the page's top left).
    virtual QPainter& Canvas() = 0;
    // Ends the job and hands it to the printer; false with a message on failure.
    virtual bool EndJob(std::string& error) = 0;
    // Drops the running job, if any.
    virtual void AbortJob() = 0;
    virtual bool JobRunning() const = 0;
    // Ends what the jobs left open (a file that collects them); false with a message on failure.
    virtual bool Finish(std::string& error) { return true; }
};

}  // namespace vorlix
