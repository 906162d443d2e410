#pragma once
// "Animation Settings": the speed of move animation on the board.
#include <functional>

#include "app/ui/SliderDialog.h"

namespace vorlix {

constexpr int kAnimationSpeedDefault = 45;
constexpr int kAnimationSpeedMax = 50;

class TAnimationDialog : public TSliderDialog {
    Q_OBJECT
public:
    // Apply stores the new speed (setting written at once, board updated).
    using TApplySpeed = std::function<void(int speed)>;
    TAnimationDialog(int currentSpeed, TApplySpeed apply, QWidget* mainWindow);

    QLabel* lblASpeed() const { return ValueLabel(); }

private:
    int speed_;
};

}  // namespace vorlix
