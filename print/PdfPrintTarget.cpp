#include "print/PdfPrintTarget.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <new>

#include "files/Exceptions.h"
#include "files/SafeFileWriter.h"

namespace vorlix {

TPdfPrintTarget::TPdfPrintTarget(const QString& fileName, int dotsPerInch, QPageSize::PageSizeId paper)
    : TPdfPrintTarget(QFile::encodeName(fileName).toStdString(), dotsPerInch, paper) {}

TPdfPrintTarget::TPdfPrintTarget(const std::string& localFileName, int dotsPerInch, QPageSize::PageSizeId paper)
    : fileName_(localFileName) {
    buffer_.open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(&buffer_);
    writer_->setResolution(dotsPerInch);
    writer_->setPageLayout(QPageLayout(QPageSize(paper), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer_->setCreator(QStringLiteral("Chess Vorlix"));
}

TPdfPrintTarget::~TPdfPrintTarget() {
    try {
        if (!outOfMemory_ && painter_->isActive()) painter_->end();
    } catch (const std::bad_alloc&) {
        outOfMemory_ = true;
    }
    if (outOfMemory_) {
        // Ending the document writes its last page and its fonts, which the
        // writer does not survive once an allocation has failed in it: the
        // unfinished document is left as it is, and nothing is written.
        (void)painter_.release();
        (void)writer_.release();
    }
}

QSize TPdfPrintTarget::PageSize() const { return {writer_->width(), writer_->height()}; }

bool TPdfPrintTarget::BeginJob(const QString& title, std::string& error) try {
    if (pages_ == 0) {
        writer_->setTitle(title);
        if (!painter_->begin(writer_.get())) {
            error = "The PDF document could not be started.";
            return false;
        }
    } else if (!writer_->newPage()) {
        error = "The PDF document could not take another page.";
        return false;
    }
    ++pages_;
    jobRunning_ = true;
    return true;
} catch (const std::bad_alloc&) {
    // A new page writes the last one out, compressed.
    outOfMemory_ = true;
    error = "out of memory";
    return false;
}

bool TPdfPrintTarget::EndJob(std::string&) {
    jobRunning_ = false;
    return true;
}

// A page once begun cannot be taken out of a PDF document; it stays, with what it holds.
void TPdfPrintTarget::AbortJob() { jobRunning_ = false; }

bool TPdfPrintTarget::Finish(std::string& error) {
    if (pages_ == 0) return true;
    if (outOfMemory_) {
        error = "out of memory";
        return false;
    }
    try {
        if (painter_->isActive()) painter_->end();
    } catch (const std::bad_alloc&) {
        outOfMemory_ = true;
        error = "out of memory";
        return false;
    }
    try {
        const QByteArray& bytes = buffer_.data();
        WriteFileSafely(fileName_, std::string_view(bytes.constData(), bytes.size()));
    } catch (const EInOutError& e) {
        error = fileName_ + ": " + e.what();
        return false;
    }
    return true;
}

}  // namespace vorlix
