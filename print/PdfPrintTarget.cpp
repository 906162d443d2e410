#include "print/PdfPrintTarget.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>

#include "files/Exceptions.h"
#include "files/SafeFileWriter.h"

namespace vorlix {

TPdfPrintTarget::TPdfPrintTarget(const QString& fileName, int dotsPerInch) : FileName_(fileName) {
    Buffer_.open(QIODevice::WriteOnly);
    Writer_ = std::make_unique<QPdfWriter>(&Buffer_);
    Writer_->setResolution(dotsPerInch);
    Writer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    Writer_->setCreator(QStringLiteral("Chess Vorlix"));
}

TPdfPrintTarget::~TPdfPrintTarget() {
    if (Painter_.isActive()) Painter_.end();
}

QSize TPdfPrintTarget::PageSize() const { return {Writer_->width(), Writer_->height()}; }

bool TPdfPrintTarget::BeginJob(const QString& title, std::string& error) {
    if (Pages_ == 0) {
        Writer_->setTitle(title);
        if (!Painter_.begin(Writer_.get())) {
            error = "The PDF document could not be started.";
            return false;
        }
    } else if (!Writer_->newPage()) {
        error = "The PDF document could not take another page.";
        return false;
    }
    ++Pages_;
    JobRunning_ = true;
    return true;
}

bool TPdfPrintTarget::EndJob(std::string&) {
    JobRunning_ = false;
    return true;
}

// A page once begun cannot be taken out of a PDF document; it stays, with what it holds.
void TPdfPrintTarget::AbortJob() { JobRunning_ = false; }

bool TPdfPrintTarget::Finish(std::string& error) {
    if (Pages_ == 0) return true;
    if (Painter_.isActive()) Painter_.end();
    try {
        const QByteArray& bytes = Buffer_.data();
        WriteFileSafely(QFile::encodeName(FileName_).toStdString(), std::string_view(bytes.constData(), bytes.size()));
    } catch (const EInOutError& e) {
        error = FileName_.toStdString() + ": " + e.what();
        return false;
    }
    return true;
}

}  // namespace vorlix
