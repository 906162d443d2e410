#pragma once
// "JPG Settings": the quality of saved JPEG images.
#include "app/ui/SliderDialog.h"

namespace vorlix {

class TAppSettings;

class TfrmJPG : public TSliderDialog {
    Q_OBJECT
public:
    TfrmJPG(TAppSettings& settings, QWidget* mainWindow);

    QLabel* lblJPGQuality() const { return ValueLabel(); }
};

}  // namespace vorlix
