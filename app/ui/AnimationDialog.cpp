#include "app/ui/AnimationDialog.h"

#include <utility>

namespace vorlix {
namespace {

const TSliderDialogConfig kAnimationSlider{
    "Animation Settings", "Animation &Speed:", "lblASpeed", 0, kAnimationSpeedMax, 25, kAnimationSpeedDefault,
    TSliderDialogConfig::TLowHigh::Under, true};

}  // namespace

TfrmAnimation::TfrmAnimation(int currentSpeed, TApplySpeed apply, QWidget* mainWindow)
    : TSliderDialog(
          kAnimationSlider, [this] { return FSpeed; },
          [this, apply = std::move(apply)](int speed) {
              FSpeed = speed;
              if (apply) apply(speed);
          },
          mainWindow),
      FSpeed(currentSpeed) {}

}  // namespace vorlix
