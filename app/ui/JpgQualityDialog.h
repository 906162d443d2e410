#pragma once
// "JPG Settings": the quality of saved JPEG images.
#include "app/ui/SliderDialog.h"

namespace vorlix {

class TAppSettings;

class TJpgQualityDialog : public TSliderDialog {
    Q_OBJECT
public:
    TJpgQualityDialog(TAppSettings& settings, QWidget* mainWindow);

    QLabel* lblJPGQuality() const { return ValueLabel(); }
};

}  // namespace vorlix
