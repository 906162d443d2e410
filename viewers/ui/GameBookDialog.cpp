#include "viewers/ui/GameBookDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace vorlix {

namespace {

QComboBox* Choices(QWidget* parent, const char* name, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    return box;
}

}  // namespace

TGameBookDialog::TGameBookDialog(const QString& fileName, QWidget* parent) : QDialog(parent) {
    setObjectName("frmGameBook");
    setWindowTitle("Export Games");
    auto* form = new QFormLayout(this);

    auto* fileRow = new QHBoxLayout;
    FedtFileName = new QLineEdit(fileName, this);
    FedtFileName->setObjectName("edtFileName");
    auto* browse = new QPushButton("&Browse...", this);
    browse->setObjectName("btnBrowse");
    connect(browse, &QPushButton::clicked, this, &TGameBookDialog::Browse);
    fileRow->addWidget(FedtFileName, 1);
    fileRow->addWidget(browse);
    form->addRow("&File (PDF or HTML):", fileRow);

    auto* diagramRow = new QHBoxLayout;
    FcbxDiagrams = Choices(this, "cbxDiagrams", {"Where the comments ask ([#], $201)", "Every N moves", "None"});
    FspeEvery = new QSpinBox(this);
    FspeEvery->setObjectName("speEvery");
    FspeEvery->setRange(1, 999);
    FspeEvery->setValue(10);
    FspeEvery->setEnabled(false);
    connect(FcbxDiagrams, &QComboBox::currentIndexChanged, this, [this](int i) { FspeEvery->setEnabled(i == 1); });
    diagramRow->addWidget(FcbxDiagrams, 1);
    diagramRow->addWidget(FspeEvery);
    form->addRow("&Diagrams:", diagramRow);

    QStringList notations;
    for (const char* name : kNotationNames) notations << name;
    FcbxNotation = Choices(this, "cbxNotation", notations);
    FcbxNotation->setCurrentIndex(static_cast<int>(TNotation::English));
    form->addRow("&Notation:", FcbxNotation);
    FcbxPaper = Choices(this, "cbxPaper", {"A4", "Letter"});
    form->addRow("&Paper:", FcbxPaper);
    FcbxColumns = Choices(this, "cbxColumns", {"1", "2"});
    form->addRow("&Columns:", FcbxColumns);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("btnOK");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("btnCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

QString TGameBookDialog::FileName() const { return FedtFileName->text().trimmed(); }

TBookOptions TGameBookDialog::Options() const {
    TBookOptions o;
    o.Diagrams = FcbxDiagrams->currentIndex() == 1   ? TBookDiagrams::Every
                 : FcbxDiagrams->currentIndex() == 2 ? TBookDiagrams::None
                                                     : TBookDiagrams::Markers;
    o.EveryMoves = FspeEvery->value();
    o.Notation = static_cast<TNotation>(std::clamp(FcbxNotation->currentIndex(), 0, kNotationCount - 1));
    o.Letter = FcbxPaper->currentIndex() == 1;
    o.Columns = FcbxColumns->currentIndex() + 1;
    return o;
}

void TGameBookDialog::Browse() {
    const QString chosen =
        QFileDialog::getSaveFileName(this, "Export Games", FileName(), "PDF book (*.pdf);;HTML book (*.html *.htm)");
    if (!chosen.isEmpty()) FedtFileName->setText(chosen);
}

}  // namespace vorlix
