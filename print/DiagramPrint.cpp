#include "print/DiagramPrint.h"

#include "print/PrintScaling.h"
#include "print/PrintTarget.h"

namespace vorlix {

bool PrintDiagram(TPrintTarget& printer, const TPrintedDiagram& diagram, float factor, const QString& title,
                  std::string& error) {
    if (!printer.BeginJob(title, error)) return false;
    DrawPrintedDiagram(printer.Canvas(), PrintRect(diagram.Size, factor), diagram);
    if (printer.EndJob(error)) return true;
    printer.AbortJob();
    return false;
}

}  // namespace vorlix
