#include "app/ui/AnimationDialog.h"

#include <utility>

namespace vorlix {
namespace {

const TSliderDialogConfig kAnimationSlider{"Animation Settings",
                                           "Animation &Speed:",
                                           "lblASpeed",
                                           0,
                                           kAnimationSpeedMax,
                                           25,
                                           kAnimationSpeedDefault,
                                           TSliderDialogConfig::TLowHigh::Under,
                                           true};

}  // namespace

TAnimationDialog::TAnimationDialog(int currentSpeed, TApplySpeed apply, QWidget* mainWindow)
    : TSliderDialog(
          kAnimationSlider, [this] { return speed_; },
          [this, apply = std::move(apply)](int speed) {
              speed_ = speed;
              if (apply) apply(speed);
          },
          mainWindow),
      speed_(currentSpeed) {}

}  // namespace vorlix
