#pragma once
// "JPG Settings": the quality of saved JPEG images.
#include <QDialog>

class QLabel;
class QPushButton;
class QSlider;

namespace vorlix {

class TAppSettings;

class TfrmJPG : public QDialog {
    Q_OBJECT
public:
    TfrmJPG(TAppSettings& settings, QWidget* mainWindow);

    QSlider* TrackBar1() const { return FTrackBar1; }
    QLabel* lblJPGQuality() const { return FlblJPGQuality; }
    QPushButton* btnApply() const { return FbtnApply; }
    QPushButton* btnDefaults() const { return FbtnDefaults; }
    QPushButton* btnCancel() const { return FbtnCancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void TrackBar1Change(int value);
    void btnDefaultsClick();
    void btnApplyClick();

    TAppSettings& FSettings;
    QWidget* FMainWindow;
    QSlider* FTrackBar1;
    QLabel* FlblJPGQuality;
    QPushButton* FbtnApply;
    QPushButton* FbtnDefaults;
    QPushButton* FbtnCancel;
};

}  // namespace vorlix
