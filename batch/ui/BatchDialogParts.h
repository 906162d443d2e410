#pragma once
// Pieces both batch dialogs are built from: the status line and progress bar
// shown while a run goes, the Help, Cancel and Start buttons, and the pause
// between diagrams that keeps the interface answering.
#include <QString>
#include <memory>
#include <string>

#include "batch/BatchRunner.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
class QWidget;

namespace vorlix {

class TBatchHost;
class TBatchPrinter;
class TPercentProgressBar;
class TPrintTarget;

struct TBatchDialogBottom {
    QLabel* Status = nullptr;
    TPercentProgressBar* Progress = nullptr;
    QPushButton* Help = nullptr;
    QPushButton* Cancel = nullptr;
    QPushButton* Start = nullptr;
};

// Adds the status line, the progress bar and the buttons ("&Start" the default) to the layout.
TBatchDialogBottom AddBatchDialogBottom(QWidget* dialog, QVBoxLayout* layout);

QRadioButton* NamedRadioButton(const QString& caption, QWidget* parent, const QString& name);

// Lets the interface run for ms milliseconds, or until abort is set.
void PauseWithEvents(int ms, const bool& abort);

// The run of a dialog over the host's diagram as it is now; null once the
// host has been told why the style cannot be loaded.
std::unique_ptr<TBatchRunner> PrepareBatchRun(TBatchHost& host, TOutputKind kind, const TImageOptions& image);

// The end of a run's pages: the page in progress (left out on abort) and the
// printer's document, once. Whoever drew the pages ends them, since Qt keeps
// the fonts a thread draws with only while that thread lives: a run on a
// thread of its own ends its document there, and the dialog then finds it ended.
struct TDocumentEnd {
    bool Ended = false;
    bool Ok = true;
    std::string Error;  // why it failed
    // No pages (files) end at once; no printer leaves the document open.
    bool End(TBatchPrinter* pages, TPrintTarget* printer, bool abort);
};

}  // namespace vorlix
