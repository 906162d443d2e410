#include "app/ui/JpgQualityDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "settings/Settings.h"
#include "board/ui/ApplyDefaultsButtons.h"
#include "board/ui/DialogPlacement.h"

namespace vorlix {

TfrmJPG::TfrmJPG(TAppSettings& settings, QWidget* mainWindow)
    : QDialog(mainWindow), FSettings(settings), FMainWindow(mainWindow) {
    setWindowTitle("JPG Settings");
    auto* group = new QGroupBox("JPG &Quality:", this);
    FTrackBar1 = new QSlider(Qt::Horizontal, group);
    FTrackBar1->setObjectName("TrackBar1");
    FTrackBar1->setRange(1, 100);
    FTrackBar1->setPageStep(5);
    FTrackBar1->setTickInterval(20);
    FTrackBar1->setTickPosition(QSlider::TicksBelow);
    FTrackBar1->setMinimumWidth(220);
    FlblJPGQuality = new QLabel(group);
    FlblJPGQuality->setObjectName("lblJPGQuality");
    FlblJPGQuality->setAlignment(Qt::AlignCenter);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel("low", group), 0, 0);
    grid->addWidget(FTrackBar1, 0, 1);
    grid->addWidget(new QLabel("high", group), 0, 2);
    grid->addWidget(FlblJPGQuality, 1, 1);

    const TApplyDefaultsButtons buttons = MakeApplyDefaultsButtons(this);
    FbtnApply = buttons.Apply;
    FbtnDefaults = buttons.Defaults;
    FbtnCancel = buttons.Cancel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons.Box);

    connect(FTrackBar1, &QSlider::valueChanged, this, &TfrmJPG::TrackBar1Change);
    connect(FbtnDefaults, &QPushButton::clicked, this, &TfrmJPG::btnDefaultsClick);
    connect(FbtnApply, &QPushButton::clicked, this, &TfrmJPG::btnApplyClick);
    connect(FbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmJPG::showEvent(QShowEvent* event) {
    FTrackBar1->setValue(FSettings.JPGQuality);
    FlblJPGQuality->setText(QString::number(FTrackBar1->value()));
    FbtnApply->setEnabled(false);
    adjustSize();
    CentreOnWindow(this, FMainWindow);
    QDialog::showEvent(event);
}

void TfrmJPG::TrackBar1Change(int value) {
    FlblJPGQuality->setText(QString::number(value));
    FbtnApply->setEnabled(true);
}

void TfrmJPG::btnDefaultsClick() {
    FTrackBar1->setValue(kDefaultJPGQuality);
    FlblJPGQuality->setText(QString::number(kDefaultJPGQuality));
    FbtnApply->setEnabled(true);
}

void TfrmJPG::btnApplyClick() {
    FSettings.JPGQuality = FTrackBar1->value();
    FSettings.SaveJPGQuality();
    accept();
}

}  // namespace vorlix
