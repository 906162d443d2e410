#pragma once
// "Export Games": the ticked games of the PGN viewer as a game book, PDF or
// HTML, with the choices of `vorlix book`.
#include <QDialog>

#include "batch/GameBook.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace vorlix {

class TGameBookDialog : public QDialog {
    Q_OBJECT
public:
    // fileName: where the book goes first (the PGN file's name with .pdf).
    TGameBookDialog(const QString& fileName, QWidget* parent = nullptr);

    QString FileName() const;
    TBookOptions Options() const;

    QLineEdit* edtFileName() const { return FedtFileName; }
    QComboBox* cbxDiagrams() const { return FcbxDiagrams; }
    QSpinBox* speEvery() const { return FspeEvery; }
    QComboBox* cbxNotation() const { return FcbxNotation; }
    QComboBox* cbxPaper() const { return FcbxPaper; }
    QComboBox* cbxColumns() const { return FcbxColumns; }

private:
    void Browse();

    QLineEdit* FedtFileName = nullptr;
    QComboBox* FcbxDiagrams = nullptr;
    QSpinBox* FspeEvery = nullptr;
    QComboBox* FcbxNotation = nullptr;
    QComboBox* FcbxPaper = nullptr;
    QComboBox* FcbxColumns = nullptr;
};

}  // namespace vorlix
