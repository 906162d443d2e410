#include "batch/ui/BatchDialogParts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "batch/ui/BatchHost.h"
#include "batch/ui/PercentProgressBar.h"
#include "files/ErrorReporter.h"
#include "print/BatchPrinter.h"
#include "print/PrintTarget.h"

namespace vorlix {

TBatchDialogBottom AddBatchDialogBottom(QWidget* dialog, QVBoxLayout* layout) {
    TBatchDialogBottom b;
    b.Status = new QLabel(dialog);
    b.Status->setObjectName(QStringLiteral("lblStatus"));
    layout->addWidget(b.Status);
    b.Progress = new TPercentProgressBar(dialog);
    b.Progress->setObjectName(QStringLiteral("mpbProgress"));
    b.Progress->setMinimumHeight(20);
    layout->addWidget(b.Progress);
    auto* buttons = new QHBoxLayout;
    b.Help = new QPushButton(QStringLiteral("&Help"), dialog);
    b.Cancel = new QPushButton(QStringLiteral("&Cancel"), dialog);
    b.Start = new QPushButton(QStringLiteral("&Start"), dialog);
    b.Help->setObjectName(QStringLiteral("btnHelp"));
    b.Cancel->setObjectName(QStringLiteral("btnCancel"));
    b.Start->setObjectName(QStringLiteral("btnStart"));
    b.Start->setDefault(true);
    buttons->addWidget(b.Help);
    buttons->addStretch();
    buttons->addWidget(b.Cancel);
    buttons->addWidget(b.Start);
    layout->addLayout(buttons);
    return b;
}

QRadioButton* NamedRadioButton(const QString& caption, QWidget* parent, const QString& name) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    return button;
}

void PauseWithEvents(int ms, const bool& abort) {
    QElapsedTimer clock;
    clock.start();
    do QCoreApplication::processEvents(QEventLoop::AllEvents, std::max(1, ms));
    while (clock.elapsed() < ms && !abort);
}

std::unique_ptr<TBatchRunner> PrepareBatchRun(TBatchHost& host, TOutputKind kind, const TImageOptions& image) {
    auto runner = std::make_unique<TBatchRunner>(StyleOfDiagram(host.Diagram(), kind, image), 1);
    TCollectingReporter styleErrors;
    if (runner->Prepare(styleErrors)) return runner;
    host.Message(QString::fromStdString(styleErrors.Last()), TBatchMessage::Error, QMessageBox::Ok);
    return nullptr;
}

bool TDocumentEnd::End(TBatchPrinter* pages, TPrintTarget* printer, bool abort) {
    if (Ended) return Ok;
    Ended = true;
    Error.clear();
    if (pages && abort) pages->Abort();
    Ok = (!pages || pages->EndPage(Error)) && (!printer || printer->Finish(Error));
    return Ok;
}

}  // namespace vorlix
