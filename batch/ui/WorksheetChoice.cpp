#include "batch/ui/WorksheetChoice.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>

#include "batch/BatchRunner.h"
#include "batch/ui/BatchHost.h"
#include "board/Diagram.h"

namespace vorlix {

TWorksheetChoice::TWorksheetChoice(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlWorksheet"));
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    cmbPerPage = new QComboBox(this);
    cmbPerPage->setObjectName(QStringLiteral("cmbSheetPerPage"));
    for (int n : kSheetPerPageChoices) cmbPerPage->addItem(QString::number(n), n);
    cmbPerPage->setCurrentText(QStringLiteral("6"));
    cmbPaper = new QComboBox(this);
    cmbPaper->setObjectName(QStringLiteral("cmbSheetPaper"));
    cmbPaper->addItems({QStringLiteral("A4"), QStringLiteral("Letter")});
    edtCaption = new QLineEdit(QString::fromStdString(kDefaultSheetCaption), this);
    edtCaption->setObjectName(QStringLiteral("edtSheetCaption"));
    edtCaption->setToolTip(
        QStringLiteral("{n} number, {side} side to move, {move} move number, {white}, {black}, "
                       "{event}, {date}, {game}, {lastmove}, {id}, {bm}, {fen}"));
    edtTitle = new QLineEdit(this);
    edtTitle->setObjectName(QStringLiteral("edtSheetTitle"));
    chkKey = new QCheckBox(QStringLiteral("Answer &key after the diagrams"), this);
    chkKey->setObjectName(QStringLiteral("chkSheetKey"));
    chkKey->setChecked(true);
    form->addRow(QStringLiteral("Diagrams per page:"), cmbPerPage);
    form->addRow(QStringLiteral("Paper:"), cmbPaper);
    form->addRow(QStringLiteral("Caption:"), edtCaption);
    form->addRow(QStringLiteral("Title:"), edtTitle);
    form->addRow(chkKey);
}

TWorksheetOptions TWorksheetChoice::Options() const {
    TWorksheetOptions o;
    o.PerPage = cmbPerPage->currentData().toInt();
    o.Letter = cmbPaper->currentIndex() == 1;
    o.Caption = edtCaption->text().toStdString();
    o.Key = chkKey->isChecked();
    o.Title = edtTitle->text().trimmed().toStdString();
    return o;
}

TSheetEnd MakeWorksheet(TBatchHost& host, const std::vector<TSheetPosition>& positions,
                        const TWorksheetOptions& options) {
    QString fileName;
    int filterIndex = 0;
    TImageOptions image;
    if (!host.AskImageFileName(fileName, filterIndex, image)) return TSheetEnd::Cancelled;
    const QFileInfo chosen(fileName);
    if (chosen.suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) != 0)
        fileName = chosen.path() + QLatin1Char('/') + chosen.completeBaseName() + QStringLiteral(".pdf");
    // The editor's diagram as it is now gives the style; its board is not touched.
    TDiagram style;
    if (!StyleOfDiagram(host.Diagram(), TOutputKind::Printed).Load(style)) return TSheetEnd::Failed;
    std::string error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = WriteWorksheet(style, positions, options, fileName, error);
    QApplication::restoreOverrideCursor();
    if (written) return TSheetEnd::Done;
    host.Message(QString::fromStdString(error), TBatchMessage::Error, QMessageBox::Ok);
    return TSheetEnd::Failed;
}

QString SheetStatus(TSheetEnd end) {
    return end == TSheetEnd::Done     ? QStringLiteral("Done.")
           : end == TSheetEnd::Failed ? QStringLiteral("Error!")
                                      : QString();
}

}  // namespace vorlix
