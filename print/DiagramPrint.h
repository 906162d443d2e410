#pragma once
// Prints one diagram image at the print scale, alone on a page.
#include <QImage>
#include <QString>
#include <string>

namespace vorlix {

class TPrintTarget;

// Begins a job, stretches the image into the print rectangle and ends the job;
// on failure the job is aborted and error says why. An empty title keeps the
// printer's own.
bool PrintDiagramImage(TPrintTarget& printer, const QImage& image, float factor, const QString& title,
                       std::string& error);

}  // namespace vorlix
