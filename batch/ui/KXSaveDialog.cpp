#include "batch/ui/KXSaveDialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

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

TKXSaveDialog::TKXSaveDialog(QWidget* parent) : QFileDialog(parent) {
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

QWidget* TKXSaveDialog::CreateStrip() {
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

    connect(FcmbColors, &QComboBox::activated, this, &TKXSaveDialog::cmbColorsChange);
    connect(FchkTransparent, &QCheckBox::clicked, this, &TKXSaveDialog::chkTransparentClick);
    return FpnlColors;
}

void TKXSaveDialog::cmbColorsChange(int row) {
    if (!FFilling && row >= 0) FColorIndex = row;
}

void TKXSaveDialog::chkTransparentClick(bool checked) { FTransparent = checked; }

void TKXSaveDialog::RefreshStrip() {
    const TColorDepthList list = ColorDepthsForFilter(FilterIndex(), FColorIndex);
    FColorIndex = list.ColorIndex;
    FFilling = true;
    FcmbColors->clear();
    FcmbColors->addItems(list.Entries);
    FcmbColors->setCurrentIndex(list.ShownRow);
    FFilling = false;
    FchkTransparent->setChecked(FTransparent);
    FchkTransparent->setEnabled(list.TransparentEnabled);
    FcmbColors->setEnabled(list.ColorsEnabled);
    FlblColors->setEnabled(list.ColorsEnabled);
}

void TKXSaveDialog::showEvent(QShowEvent* event) {
    RefreshStrip();
    QFileDialog::showEvent(event);
}

void TKXSaveDialog::SetFilter(const QString& pairs) {
    // The chosen file type outlives a new filter, as the filter index does.
    const QStringList filters = NameFiltersFromPairs(pairs);
    if (filters == FNameFilters) return;
    const int index = FNameFilters.isEmpty() ? 1 : FilterIndex();
    FNameFilters = filters;
    setNameFilters(FNameFilters);
    SetFilterIndex(index);
}

int TKXSaveDialog::FilterIndex() const {
    // Qt answers with the whole filter or, showing labels only, with the label.
    const QString chosen = selectedNameFilter();
    for (qsizetype i = 0; i < FNameFilters.size(); ++i)
        if (FNameFilters[i] == chosen || LabelOfNameFilter(FNameFilters[i]) == chosen) return int(i) + 1;
    return 0;
}

void TKXSaveDialog::SetFilterIndex(int index) {
    if (index >= 1 && index <= FNameFilters.size()) selectNameFilter(FNameFilters[index - 1]);
}

QString TKXSaveDialog::FileName() const { return FFileName; }

void TKXSaveDialog::SetFileName(const QString& fileName) { FFileName = fileName; }

bool TKXSaveDialog::Execute() {
    if (!FInitialDir.isEmpty()) setDirectory(FInitialDir);
    selectFile(FFileName);
    if (exec() != QDialog::Accepted || selectedFiles().isEmpty()) return false;
    FFileName = selectedFiles().first();
    return true;
}

}  // namespace vorlix
