#include "batch/ui/BatchFileChoice.h"

#include <QFileInfo>

#include "batch/ui/BatchHost.h"
#include "batch/ui/ColorDepthChoice.h"
#include "settings/FileExtension.h"
#include "settings/Settings.h"

namespace vorlix {

QString BatchFileMessage(const QString& exampleLine, const QStringList& exampleNames) {
    QStringList lines{"Please select a filename for the diagrams that", "are to be saved.", "", exampleLine,
                      "will be saved as:"};
    for (int i = 0; i < exampleNames.size(); ++i)
        lines << "  - " + exampleNames[i] + (i + 1 == exampleNames.size() ? " etc.." : "");
    return lines.join("\r\n");
}

bool ChooseBatchImageFile(TBatchHost& host, const QString& message, bool upperCaseExtension, TBatchFileChoice& choice) {
    if (host.Message(message, TBatchMessage::Information, QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return false;
    QString fileName;
    int filter = 1;
    TImageOptions image;
    if (!host.AskImageFileName(fileName, filter, image)) return false;
    fileName = ForceExtension(fileName, ExtensionOfImageFilter(filter));
    choice.Name = SplitChosenName(fileName, upperCaseExtension);
    host.Settings().SavePath = QFileInfo(fileName).absolutePath();
    choice.Image = image;
    choice.Image.Format = ImageFormatOfFilter(filter);
    return true;
}

bool ChooseBatchDiagramFile(TBatchHost& host, const QString& message, TBatchFileChoice& choice) {
    if (host.Message(message, TBatchMessage::Information, QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return false;
    QString fileName;
    if (!host.AskDiagramFileName(fileName)) return false;
    fileName = ForceExtension(fileName, QStringLiteral(".VXD"));
    choice.Name = SplitChosenName(fileName, true);
    host.Settings().SaveVXDPath = QFileInfo(fileName).absolutePath();
    return true;
}

}  // namespace vorlix
