#include "batch/ui/ImageFileDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <algorithm>

#include "batch/ui/ColorDepthChoice.h"

namespace vorlix {
namespace {

constexpr int kStripHeight = 40;
constexpr int kListLeft = 81;
constexpr int kListWidth = 207;
constexpr int kCheckGap = 17;
constexpr int kLabelLeft = 8;
constexpr int kLabelGap = 6;

int CentredTop(int outer, int inner) { return (outer - inner) / 2; }

}  // namespace

TImageFileDialog::TImageFileDialog(QWidget* parent) : QFileDialog(parent) {
    // The strip needs Qt's own dialog; a platform dialog has no room for it.
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::HideNameFilterDetails);
    setOption(QFileDialog::DontConfirmOverwrite);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    SetFilter(kImageSaveFilter);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(CreateStrip(), grid->rowCount(), 0, 1, grid->columnCount());
    connect(this, &QFileDialog::filterSelected, this, [this] { RefreshStrip(); });
}

QWidget* TImageFileDialog::CreateStrip() {
    FpnlColors = new QWidget(this);
    FpnlColors->setObjectName("pnlColors");
    FlblColors = new QLabel("Color depth:", FpnlColors);
    FlblColors->setObjectName("lblColors");
    FcmbColors = new QComboBox(FpnlColors);
    FcmbColors->setObjectName("cmbColors");
    FcmbColors->setMaxVisibleItems(8);
    FchkTransparent = new QCheckBox("Transparent", FpnlColors);
    FchkTransparent->setObjectName("chkTransparent");

    FchkTransparent->adjustSize();
    FlblColors->adjustSize();
    // The substitute font may make the label wider than the design left room for.
    const int listLeft = std::max(kListLeft, kLabelLeft + FlblColors->width() + kLabelGap);
    FcmbColors->setGeometry(listLeft, 0, kListWidth, FcmbColors->sizeHint().height());
    const int listTop = CentredTop(kStripHeight, FcmbColors->height());
    FcmbColors->move(listLeft, listTop);
    FchkTransparent->move(listLeft + kListWidth + kCheckGap,
                          listTop + CentredTop(FcmbColors->height(), FchkTransparent->height()));
    FlblColors->move(kLabelLeft, CentredTop(kStripHeight, FlblColors->height()));
    FpnlColors->setMinimumSize(FchkTransparent->geometry().right() + kLabelLeft, kStripHeight);

    connect(FcmbColors, &QComboBox::activated, this, &TImageFileDialog::cmbColorsChange);
    connect(FchkTransparent, &QCheckBox::clicked, this, &TImageFileDialog::chkTransparentClick);
    return FpnlColors;
}

void TImageFileDialog::cmbColorsChange(int row) {
    if (!filling_ && row >= 0) colorIndex_ = row;
}

void TImageFileDialog::chkTransparentClick(bool checked) { transparent_ = checked; }

void TImageFileDialog::RefreshStrip() {
    const TColorDepthList list = ColorDepthsForFilter(FilterIndex(), colorIndex_);
    colorIndex_ = list.ColorIndex;
    filling_ = true;
    FcmbColors->clear();
    FcmbColors->addItems(list.Entries);
    FcmbColors->setCurrentIndex(list.ShownRow);
    filling_ = false;
    FchkTransparent->setChecked(transparent_);
    FchkTransparent->setEnabled(list.TransparentEnabled);
    FcmbColors->setEnabled(list.ColorsEnabled);
    FlblColors->setEnabled(list.ColorsEnabled);
}

void TImageFileDialog::showEvent(QShowEvent* event) {
    RefreshStrip();
    QFileDialog::showEvent(event);
}

void TImageFileDialog::SetFilter(const QString& pairs) {
    // The chosen file type outlives a new filter, as the filter index does.
    const QStringList filters = NameFiltersFromPairs(pairs);
    if (filters == nameFilters_) return;
    const int index = nameFilters_.isEmpty() ? 1 : FilterIndex();
    nameFilters_ = filters;
    setNameFilters(nameFilters_);
    SetFilterIndex(index);
}

int TImageFileDialog::FilterIndex() const {
    // Qt answers with the whole filter or, showing labels only, with the label.
    const QString chosen = selectedNameFilter();
    for (qsizetype i = 0; i < nameFilters_.size(); ++i)
        if (nameFilters_[i] == chosen || LabelOfNameFilter(nameFilters_[i]) == chosen) return int(i) + 1;
    return 0;
}

void TImageFileDialog::SetFilterIndex(int index) {
    if (index >= 1 && index <= nameFilters_.size()) selectNameFilter(nameFilters_[index - 1]);
}

QString TImageFileDialog::FileName() const { return fileName_; }

void TImageFileDialog::SetFileName(const QString& fileName) { fileName_ = fileName; }

bool TImageFileDialog::Execute() {
    if (!initialDir_.isEmpty()) setDirectory(initialDir_);
    selectFile(fileName_);
    if (exec() != QDialog::Accepted || selectedFiles().isEmpty()) return false;
    fileName_ = selectedFiles().first();
    return true;
}

}  // namespace vorlix
