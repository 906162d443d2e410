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

class TKXProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit TKXProgressBar(QWidget* parent = nullptr);

    TColor BarColor() const { return FBarColor; }
    TColor BackColor() const { return FBackColor; }
    TPBDirection ProgressDirection() const { return FDirection; }
    bool ShowPercent() const { return FShowPercent; }
    int Step() const { return FStep; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    int MinValue() const { return FMinValue; }
    int MaxValue() const { return FMaxValue; }
    int Value() const { return FValue; }
    QString Text() const { return ProgressBarText(FValue, FMinValue, FMaxValue); }

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

    TColor FBarColor;
    TColor FBackColor;
    TPBDirection FDirection = TPBDirection::pbRight;
    bool FShowPercent = true;
    int FStep = 1;
    TBorderStyle FBorderStyle = TBorderStyle::bsSunken2;
    int FMinValue = 0;
    int FMaxValue = 100;
    int FValue = 0;
};

}  // namespace vorlix
