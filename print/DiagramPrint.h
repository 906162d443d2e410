#pragma once
// Prints one diagram at the print scale, alone on a page.
#include <QString>
#include <string>

#include "print/PrintedDiagram.h"

namespace vorlix {

class TPrintTarget;

// Begins a job, draws the diagram into the print rectangle and ends the job;
// on failure the job is aborted and error says why. An empty title keeps the
// printer's own.
bool PrintDiagram(TPrintTarget& printer, const TPrintedDiagram& diagram, float factor, const QString& title,
                  std::string& error);

}  // namespace vorlix
