#include "app/ui/AnimationDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <utility>

#include <QDialogButtonBox>

#include "board/ui/ApplyDefaultsButtons.h"
#include "board/ui/DialogPlacement.h"

namespace vorlix {

TfrmAnimation::TfrmAnimation(int currentSpeed, TApplySpeed apply, QWidget* mainWindow)
    : QDialog(mainWindow), FSpeed(currentSpeed), FApply(std::move(apply)), FMainWindow(mainWindow) {
    setWindowTitle("Animation Settings");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    auto* group = new QGroupBox("Animation &Speed:", this);
    FTrackBar1 = new QSlider(Qt::Horizontal, group);
    FTrackBar1->setObjectName("TrackBar1");
    FTrackBar1->setRange(0, kAnimationSpeedMax);
    FTrackBar1->setPageStep(5);
    FTrackBar1->setTickInterval(25);
    FTrackBar1->setTickPosition(QSlider::TicksBelow);
    FTrackBar1->setMinimumWidth(220);
    FlblASpeed = new QLabel(group);
    FlblASpeed->setObjectName("lblASpeed");
    FlblASpeed->setAlignment(Qt::AlignCenter);
    auto* grid = new QGridLayout(group);
    grid->addWidget(FTrackBar1, 0, 0, 1, 3);
    grid->addWidget(new QLabel("low", group), 1, 0, Qt::AlignLeft);
    grid->addWidget(FlblASpeed, 1, 1);
    grid->addWidget(new QLabel("high", group), 1, 2, Qt::AlignRight);

    const TApplyDefaultsButtons buttons = MakeApplyDefaultsButtons(this);
    FbtnApply = buttons.Apply;
    FbtnDefaults = buttons.Defaults;
    FbtnCancel = buttons.Cancel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons.Box);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(FTrackBar1, &QSlider::valueChanged, this, &TfrmAnimation::TrackBar1Change);
    connect(FbtnDefaults, &QPushButton::clicked, this, &TfrmAnimation::btnDefaultsClick);
    connect(FbtnApply, &QPushButton::clicked, this, &TfrmAnimation::btnApplyClick);
    connect(FbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmAnimation::showEvent(QShowEvent* event) {
    {
        const QSignalBlocker quiet(FTrackBar1);
        FTrackBar1->setValue(FSpeed);
    }
    FlblASpeed->setText(QString::number(FTrackBar1->value()));
    FbtnApply->setEnabled(false);
    adjustSize();
    CentreOnWindow(this, FMainWindow);
    QDialog::showEvent(event);
}

void TfrmAnimation::TrackBar1Change(int value) {
    FlblASpeed->setText(QString::number(value));
    FbtnApply->setEnabled(true);
}

void TfrmAnimation::btnDefaultsClick() {
    FTrackBar1->setValue(kAnimationSpeedDefault);
    FlblASpeed->setText(QString::number(kAnimationSpeedDefault));
    FbtnApply->setEnabled(true);
}

void TfrmAnimation::btnApplyClick() {
    FSpeed = FTrackBar1->value();
    if (FApply) FApply(FSpeed);
    accept();
}

}  // namespace vorlix
