#include "print/DiagramPrint.h"

#include "imaging/ImageScaling.h"
#include "print/PrintScaling.h"
#include "print/PrintTarget.h"

namespace vorlix {

bool PrintDiagramImage(TPrintTarget& printer, const QImage& image, float factor, const QString& title,
                       std::string& error) {
    if (!printer.BeginJob(title, error)) return false;
    StretchBitmap(printer.Canvas(), PrintRect(image.size(), factor), image);
    if (printer.EndJob(error)) return true;
    printer.AbortJob();
    return false;
}

}  // namespace vorlix
