#pragma once
// A drawn progress bar with its percentage written across it.
#include <QString>
#include <QWidget>

#include "board/Colors.h"

namespace vorlix {

enum class TPBDirection { pbRight, pbLeft, pbUp, pbDown };
enum class TBorderStyle { bsSunken2, bsSunken1, bsNone, bsRaised1, bsRaised2 };

// Filled length in pixels along an extent of `extent` pixels; 0 unless min < value <= max.
int ProgressBarLength(int value, int minValue, int maxValue, int extent);
// "N %" for a value within min..max, "0 %" outside.
QString ProgressBarText(int value, int minValue, int maxValue);
// How far inside the control the frame reaches, for text that does not fit.
int BorderInset(TBorderStyle style);

class TPercentProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit TPercentProgressBar(QWidget* parent = nullptr);

    TColor BarColor() const { return barColor_; }
    TColor BackColor() const { return backColor_; }
    TPBDirection ProgressDirection() const { return direction_; }
    bool ShowPercent() const { return showPercent_; }
    int Step() const { return step_; }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    int MinValue() const { return minValue_; }
    int MaxValue() const { return maxValue_; }
    int Value() const { return value_; }
    QString Text() const { return ProgressBarText(value_, minValue_, maxValue_); }

    void SetBarColor(TColor color);
    void SetBackColor(TColor color);
    void SetProgressDirection(TPBDirection direction);
    void SetShowPercent(bool show);
    void SetStep(int step);
    void SetBorderStyle(TBorderStyle style);
    void SetMinValue(int value);
    void SetMaxValue(int value);
    void SetValue(int value);

    // The control's picture, as painted.
    QImage Render() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    template <typename T>
    void Assign(T& field, T value);
    QRect BarRect() const;
    void DrawText(class QPainter& p) const;
    void DrawFrame(class QPainter& p) const;

    TColor barColor_;
    TColor backColor_;
    TPBDirection direction_ = TPBDirection::pbRight;
    bool showPercent_ = true;
    int step_ = 1;
    TBorderStyle borderStyle_ = TBorderStyle::bsSunken2;
    int minValue_ = 0;
    int maxValue_ = 100;
    int value_ = 0;
};

}  // namespace vorlix
