#include "app/ui/SliderDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <utility>

#include "board/ui/ApplyDefaultsButtons.h"
#include "board/ui/DialogPlacement.h"

namespace vorlix {

TSliderDialog::TSliderDialog(const TSliderDialogConfig& config, TCurrent current, TApply apply, QWidget* mainWindow)
    : QDialog(mainWindow),
      FDefault(config.Default),
      FCurrent(std::move(current)),
      FApply(std::move(apply)),
      FMainWindow(mainWindow) {
    setWindowTitle(config.Caption);
    if (config.FixedSize) setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    auto* group = new QGroupBox(config.GroupCaption, this);
    FTrackBar1 = new QSlider(Qt::Horizontal, group);
    FTrackBar1->setObjectName("TrackBar1");
    FTrackBar1->setRange(config.Minimum, config.Maximum);
    FTrackBar1->setPageStep(5);
    FTrackBar1->setTickInterval(config.TickInterval);
    FTrackBar1->setTickPosition(QSlider::TicksBelow);
    FTrackBar1->setMinimumWidth(220);
    FValueLabel = new QLabel(group);
    FValueLabel->setObjectName(config.ValueLabelName);
    FValueLabel->setAlignment(Qt::AlignCenter);
    auto* grid = new QGridLayout(group);
    if (config.LowHigh == TSliderDialogConfig::TLowHigh::Beside) {
        grid->addWidget(new QLabel("low", group), 0, 0);
        grid->addWidget(FTrackBar1, 0, 1);
        grid->addWidget(new QLabel("high", group), 0, 2);
        grid->addWidget(FValueLabel, 1, 1);
    } else {
        grid->addWidget(FTrackBar1, 0, 0, 1, 3);
        grid->addWidget(new QLabel("low", group), 1, 0, Qt::AlignLeft);
        grid->addWidget(FValueLabel, 1, 1);
        grid->addWidget(new QLabel("high", group), 1, 2, Qt::AlignRight);
    }

    const TApplyDefaultsButtons buttons = MakeApplyDefaultsButtons(this);
    FbtnApply = buttons.Apply;
    FbtnDefaults = buttons.Defaults;
    FbtnCancel = buttons.Cancel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons.Box);
    if (config.FixedSize) layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(FTrackBar1, &QSlider::valueChanged, this, &TSliderDialog::TrackBar1Change);
    connect(FbtnDefaults, &QPushButton::clicked, this, &TSliderDialog::btnDefaultsClick);
    connect(FbtnApply, &QPushButton::clicked, this, &TSliderDialog::btnApplyClick);
    connect(FbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TSliderDialog::showEvent(QShowEvent* event) {
    {
        const QSignalBlocker quiet(FTrackBar1);
        FTrackBar1->setValue(FCurrent ? FCurrent() : FDefault);
    }
    FValueLabel->setText(QString::number(FTrackBar1->value()));
    FbtnApply->setEnabled(false);
    adjustSize();
    CentreOnWindow(this, FMainWindow);
    QDialog::showEvent(event);
}

void TSliderDialog::TrackBar1Change(int value) {
    FValueLabel->setText(QString::number(value));
    FbtnApply->setEnabled(true);
}

void TSliderDialog::btnDefaultsClick() {
    FTrackBar1->setValue(FDefault);
    FValueLabel->setText(QString::number(FDefault));
    FbtnApply->setEnabled(true);
}

void TSliderDialog::btnApplyClick() {
    if (FApply) FApply(FTrackBar1->value());
    accept();
}

}  // namespace vorlix
