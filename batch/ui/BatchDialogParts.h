#pragma once
// Pieces both batch dialogs are built from: the status line and progress bar
// shown while a run goes, the Help, Cancel and Start buttons, and the pause
// between diagrams that keeps the interface answering.
#include <QString>

class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
class QWidget;

namespace vorlix {

class TPercentProgressBar;

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

}  // namespace vorlix
