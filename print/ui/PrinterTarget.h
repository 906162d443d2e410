#pragma once
// The system's printer as a print target. Printing to a PDF file, the jobs of
// one run become the pages of one file (separate jobs would each replace the
// file); Finish then ends the document.
#include <QPainter>

#include "print/PrintTarget.h"

class QPrinter;

namespace vorlix {

class TPrinterTarget : public TPrintTarget {
public:
    explicit TPrinterTarget(QPrinter& printer);
    ~TPrinterTarget() override;

    QSize PageSize() const override;
    bool BeginJob(const QString& title, std::string& error) override;
    QPainter& Canvas() override { return painter_; }
    bool EndJob(std::string& error) override;
    void AbortJob() override;
    bool JobRunning() const override { return jobRunning_; }
    // Ends a document whose jobs were joined into one file.
    bool Finish(std::string& error) override;

private:
    bool PrintsToFile() const;

    QPrinter& printer_;
    QPainter painter_;
    bool jobRunning_ = false;
    int filePages_ = 0;
};

}  // namespace vorlix
