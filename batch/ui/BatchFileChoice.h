#pragma once
// Asking for the name the numbered files of a batch run are made from: the
// explanation with its example names, then the image or diagram save dialog.
#include <QString>
#include <QStringList>

#include "batch/BatchFileName.h"
#include "batch/DiagramOutput.h"

namespace vorlix {

class TBatchHost;

struct TBatchFileChoice {
    TChosenName Name;
    TImageOptions Image;
};

// The explanation: the example file and the names the first three diagrams get.
QString BatchFileMessage(const QString& exampleLine, const QStringList& exampleNames);

// The explanation, then the image save dialog; false when either is cancelled.
// The chosen folder becomes the image save folder.
bool ChooseBatchImageFile(TBatchHost& host, const QString& message, bool upperCaseExtension, TBatchFileChoice& choice);
// The same with the diagram save dialog; the extension is upper-cased.
bool ChooseBatchDiagramFile(TBatchHost& host, const QString& message, TBatchFileChoice& choice);

}  // namespace vorlix
