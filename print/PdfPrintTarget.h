#pragma once
// Prints into one PDF file: each print job becomes the next page of the
// document, and the file is written (crash-safe) when the document finishes.
#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <memory>
#include <string>

#include "print/PrintTarget.h"

namespace vorlix {

class TPdfPrintTarget : public TPrintTarget {
public:
    // A4 (or the paper given) at the given resolution, without margins.
    explicit TPdfPrintTarget(const QString& fileName, int dotsPerInch = 300,
                             QPageSize::PageSizeId paper = QPageSize::A4);
    // The file named by these bytes, as they are (a name need not be UTF-8).
    explicit TPdfPrintTarget(const std::string& localFileName, int dotsPerInch = 300,
                             QPageSize::PageSizeId paper = QPageSize::A4);
    ~TPdfPrintTarget() override;

    QSize PageSize() const override;
    bool BeginJob(const QString& title, std::string& error) override;
    QPainter& Canvas() override { return *painter_; }
    bool EndJob(std::string& error) override;
    void AbortJob() override;
    bool JobRunning() const override { return jobRunning_; }

    int PageCount() const { return pages_; }
    // Ends the document and writes the file; false with a message on failure.
    // A document without pages writes nothing.
    bool Finish(std::string& error) override;

private:
    std::string fileName_;  // the name's bytes
    QBuffer buffer_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QPainter> painter_ = std::make_unique<QPainter>();
    bool outOfMemory_ = false;  // the writer failed half way: the document is dropped unended
    bool jobRunning_ = false;
    int pages_ = 0;
};

}  // namespace vorlix
