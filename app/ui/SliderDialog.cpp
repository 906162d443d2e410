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
      default_(config.Default),
      current_(std::move(current)),
      apply_(std::move(apply)),
      mainWindow_(mainWindow) {
    setWindowTitle(config.Caption);
    if (config.FixedSize) setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    auto* group = new QGroupBox(config.GroupCaption, this);
    slider_ = new QSlider(Qt::Horizontal, group);
    slider_->setObjectName("TrackBar1");
    slider_->setRange(config.Minimum, config.Maximum);
    slider_->setPageStep(5);
    slider_->setTickInterval(config.TickInterval);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setMinimumWidth(220);
    valueLabel_ = new QLabel(group);
    valueLabel_->setObjectName(config.ValueLabelName);
    valueLabel_->setAlignment(Qt::AlignCenter);
    auto* grid = new QGridLayout(group);
    if (config.LowHigh == TSliderDialogConfig::TLowHigh::Beside) {
        grid->addWidget(new QLabel("low", group), 0, 0);
        grid->addWidget(slider_, 0, 1);
        grid->addWidget(new QLabel("high", group), 0, 2);
        grid->addWidget(valueLabel_, 1, 1);
    } else {
        grid->addWidget(slider_, 0, 0, 1, 3);
        grid->addWidget(new QLabel("low", group), 1, 0, Qt::AlignLeft);
        grid->addWidget(valueLabel_, 1, 1);
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

    connect(slider_, &QSlider::valueChanged, this, &TSliderDialog::TrackBar1Change);
    connect(FbtnDefaults, &QPushButton::clicked, this, &TSliderDialog::btnDefaultsClick);
    connect(FbtnApply, &QPushButton::clicked, this, &TSliderDialog::btnApplyClick);
    connect(FbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TSliderDialog::showEvent(QShowEvent* event) {
    {
        const QSignalBlocker quiet(slider_);
        slider_->setValue(current_ ? current_() : default_);
    }
    valueLabel_->setText(QString::number(slider_->value()));
    FbtnApply->setEnabled(false);
    adjustSize();
    CentreOnWindow(this, mainWindow_);
    QDialog::showEvent(event);
}

void TSliderDialog::TrackBar1Change(int value) {
    valueLabel_->setText(QString::number(value));
    FbtnApply->setEnabled(true);
}

void TSliderDialog::btnDefaultsClick() {
    slider_->setValue(default_);
    valueLabel_->setText(QString::number(default_));
    FbtnApply->setEnabled(true);
}

void TSliderDialog::btnApplyClick() {
    if (apply_) apply_(slider_->value());
    accept();
}

}  // namespace vorlix
