#pragma once
// A setting chosen on one slider between "low" and "high", with its number
// shown under it: Apply (after a change), Defaults and Cancel.
#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;
class QSlider;

namespace vorlix {

struct TSliderDialogConfig {
    enum class TLowHigh { Beside, Under };  // where "low" and "high" stand by the slider

    QString Caption;
    QString GroupCaption;
    const char* ValueLabelName;  // object name of the number's label
    int Minimum;
    int Maximum;
    int TickInterval;
    int Default;
    TLowHigh LowHigh;
    bool FixedSize;  // a fixed border instead of a resizable one
};

class TSliderDialog : public QDialog {
    Q_OBJECT
public:
    // current gives the value the slider shows at each showing; apply takes the chosen one.
    using TCurrent = std::function<int()>;
    using TApply = std::function<void(int value)>;
    TSliderDialog(const TSliderDialogConfig& config, TCurrent current, TApply apply, QWidget* mainWindow);

    QSlider* Slider() const { return slider_; }
    QLabel* ValueLabel() const { return valueLabel_; }
    QPushButton* btnApply() const { return FbtnApply; }
    QPushButton* btnDefaults() const { return FbtnDefaults; }
    QPushButton* btnCancel() const { return FbtnCancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void TrackBar1Change(int value);
    void btnDefaultsClick();
    void btnApplyClick();

    int default_;
    TCurrent current_;
    TApply apply_;
    QWidget* mainWindow_;
    QSlider* slider_;
    QLabel* valueLabel_;
    QPushButton* FbtnApply;
    QPushButton* FbtnDefaults;
    QPushButton* FbtnCancel;
};

}  // namespace vorlix
