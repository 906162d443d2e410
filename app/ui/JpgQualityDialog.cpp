#include "app/ui/JpgQualityDialog.h"

#include "settings/Settings.h"

namespace vorlix {
namespace {

const TSliderDialogConfig kJpgQualitySlider{"JPG Settings",
                                            "JPG &Quality:",
                                            "lblJPGQuality",
                                            1,
                                            100,
                                            20,
                                            kDefaultJPGQuality,
                                            TSliderDialogConfig::TLowHigh::Beside,
                                            false};

}  // namespace

// Apply writes the quality at once.
TJpgQualityDialog::TJpgQualityDialog(TAppSettings& settings, QWidget* mainWindow)
    : TSliderDialog(
          kJpgQualitySlider, [&settings] { return settings.JPGQuality; },
          [&settings](int quality) {
              settings.JPGQuality = quality;
              settings.SaveJPGQuality();
          },
          mainWindow) {}

}  // namespace vorlix
