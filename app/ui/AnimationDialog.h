#pragma once
// "Animation Settings": the speed of move animation on the board.
#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QSlider;

namespace vorlix {

constexpr int kAnimationSpeedDefault = 45;
constexpr int kAnimationSpeedMax = 50;

class TfrmAnimation : public QDialog {
    Q_OBJECT
public:
    // Apply stores the new speed (setting written at once, board updated).
    using TApplySpeed = std::function<void(int speed)>;
    TfrmAnimation(int currentSpeed, TApplySpeed apply, QWidget* mainWindow);

    QSlider* TrackBar1() const { return FTrackBar1; }
    QLabel* lblASpeed() const { return FlblASpeed; }
    QPushButton* btnApply() const { return FbtnApply; }
    QPushButton* btnDefaults() const { return FbtnDefaults; }
    QPushButton* btnCancel() const { return FbtnCancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void TrackBar1Change(int value);
    void btnDefaultsClick();
    void btnApplyClick();

    int FSpeed;
    TApplySpeed FApply;
    QWidget* FMainWindow;
    QSlider* FTrackBar1;
    QLabel* FlblASpeed;
    QPushButton* FbtnApply;
    QPushButton* FbtnDefaults;
    QPushButton* FbtnCancel;
};

}  // namespace vorlix
