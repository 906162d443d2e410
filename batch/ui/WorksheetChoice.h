#pragma once
// The worksheet of both batch dialogs: its settings (diagrams a page, paper,
// caption, key, title) and the run that asks for the PDF file and writes it in
// the style of the editor's diagram.
#include <QWidget>
#include <vector>

#include "batch/Worksheet.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace vorlix {

class TBatchHost;

class TWorksheetChoice : public QWidget {
    Q_OBJECT
public:
    explicit TWorksheetChoice(QWidget* parent);
    TWorksheetOptions Options() const;

    QComboBox *cmbPerPage = nullptr, *cmbPaper = nullptr;
    QLineEdit *edtCaption = nullptr, *edtTitle = nullptr;
    QCheckBox* chkKey = nullptr;
};

enum class TSheetEnd { Cancelled, Done, Failed };

// Asks for the PDF file (a name with another extension gets ".pdf") and
// writes the worksheet; a failure is told to the user.
TSheetEnd MakeWorksheet(TBatchHost& host, const std::vector<TSheetPosition>& positions,
                        const TWorksheetOptions& options);

// The dialogs' status line for the end of a worksheet run.
QString SheetStatus(TSheetEnd end);

}  // namespace vorlix
