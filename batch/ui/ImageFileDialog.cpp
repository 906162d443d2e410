#include "batch/ui/ImageFileDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

#include "batch/ui/ColorDepthChoice.h"
#include "export/ScalableExport.h"
#include "imaging/ImageScaling.h"

namespace vorlix {
namespace {

constexpr int kStripHeight = 40;
constexpr int kListLeft = 81;
constexpr int kListWidth = 207;
constexpr int kCheckGap = 17;
constexpr int kLabelLeft = 8;
constexpr int kLabelGap = 6;
constexpr int kScaleWidth = 90;
constexpr int kRowCount = 2;

int CentredTop(int outer, int inner) { return (outer - inner) / 2; }

int PercentOfScaleIndex(int index) { return int(std::lround(ImageScaleFactor(index) * 100.0f)); }

// Puts a label and its control side by side, centred in the strip's row.
void PlaceRow(QLabel* label, int labelLeft, QWidget* control, int controlLeft, int width, int row) {
    const int rowTop = row * kStripHeight;
    control->setGeometry(controlLeft, 0, width, control->sizeHint().height());
    control->move(controlLeft, rowTop + CentredTop(kStripHeight, control->height()));
    label->move(labelLeft, rowTop + CentredTop(kStripHeight, label->height()));
}

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

    FlblScale = new QLabel("Scale:", FpnlColors);
    FlblScale->setObjectName("lblScale");
    FcmbScale = new QComboBox(FpnlColors);
    FcmbScale->setObjectName("cmbScale");
    for (int i = 0; i < kImageScaleCount; ++i) FcmbScale->addItem(QString("%1 %").arg(PercentOfScaleIndex(i)));
    FspbScale = new QSpinBox(FpnlColors);
    FspbScale->setObjectName("spbScale");
    FspbScale->setRange(int(std::lround(kMinImageScale * 100)), int(std::lround(kMaxImageScale * 100)));
    FspbScale->setSuffix(" %");
    FlblQuality = new QLabel("Quality:", FpnlColors);
    FlblQuality->setObjectName("lblQuality");
    FspbQuality = new QSpinBox(FpnlColors);
    FspbQuality->setObjectName("spbQuality");
    FspbQuality->setRange(1, 100);

    FchkTransparent->adjustSize();
    for (QLabel* label : {FlblColors, FlblScale, FlblQuality}) label->adjustSize();
    // The substitute font may make a label wider than the design left room for.
    const int listLeft = std::max(
        {kListLeft, kLabelLeft + FlblColors->width() + kLabelGap, kLabelLeft + FlblScale->width() + kLabelGap});
    PlaceRow(FlblColors, kLabelLeft, FcmbColors, listLeft, kListWidth, 0);
    FchkTransparent->move(listLeft + kListWidth + kCheckGap,
                          FcmbColors->y() + CentredTop(FcmbColors->height(), FchkTransparent->height()));
    PlaceRow(FlblScale, kLabelLeft, FcmbScale, listLeft, kScaleWidth, 1);
    PlaceRow(FlblScale, kLabelLeft, FspbScale, listLeft, kScaleWidth, 1);
    const int qualityLeft = listLeft + kScaleWidth + kCheckGap;
    PlaceRow(FlblQuality, qualityLeft, FspbQuality, qualityLeft + FlblQuality->width() + kLabelGap, kScaleWidth, 1);
    FpnlColors->setMinimumSize(
        std::max(FchkTransparent->geometry().right(), FspbQuality->geometry().right()) + kLabelLeft,
        kRowCount * kStripHeight);

    connect(FcmbScale, &QComboBox::activated, this, [this](int row) {
        if (!filling_ && row >= 0) scaleIndex_ = row;
    });
    connect(FspbScale, &QSpinBox::valueChanged, this, [this](int percent) {
        if (!filling_) scalePercent_ = percent;
    });
    connect(FspbQuality, &QSpinBox::valueChanged, this, [this](int quality) {
        if (!filling_) quality_ = quality;
    });
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

    const TImageFormat format = ImageFormatOfFilter(FilterIndex());
    const bool scalable = IsScalableFormat(format);
    const bool sized = scalable && !(pdfAsPages_ && format == TImageFormat::Pdf);
    filling_ = true;
    FcmbScale->setCurrentIndex(scaleIndex_);
    FspbScale->setValue(scalePercent_);
    FspbQuality->setValue(quality_);
    filling_ = false;
    // The bitmap formats come in the table's sizes; the outlines take any.
    FcmbScale->setVisible(!scalable);
    FspbScale->setVisible(scalable);
    FspbScale->setEnabled(sized);
    FlblScale->setEnabled(!scalable || sized);
    FspbQuality->setEnabled(format == TImageFormat::Jpeg);
    FlblQuality->setEnabled(format == TImageFormat::Jpeg);
}

void TImageFileDialog::SetImageSettings(int quality, int scaleIndex) {
    quality_ = std::clamp(quality, 1, 100);
    scaleIndex_ = scaleIndex >= 0 && scaleIndex < kImageScaleCount ? scaleIndex : kNoScaleIndex;
    scalePercent_ = PercentOfScaleIndex(scaleIndex_);
}

TImageOptions TImageFileDialog::ImageOptions() const {
    TImageOptions options;
    options.Format = ImageFormatOfFilter(FilterIndex());
    options.ColorIndex = options.Format == TImageFormat::Jpeg ? ciTrueColor : colorIndex_;
    options.Transparent = transparent_ && (options.Format == TImageFormat::Gif || options.Format == TImageFormat::Png);
    options.Quality = quality_;
    options.ScaleIndex = scaleIndex_;
    if (IsScalableFormat(options.Format)) options.Scale = scalePercent_ / 100.0;
    return options;
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
