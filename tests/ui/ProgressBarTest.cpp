#include <gtest/gtest.h>

#include <QImage>

#include "batch/ui/PercentProgressBar.h"

using namespace vorlix;

TEST(ProgressBar, DefaultsAndValueClamping) {
    TPercentProgressBar bar;
    EXPECT_EQ(bar.width(), 60);
    EXPECT_EQ(bar.height(), 20);
    EXPECT_EQ(bar.MinValue(), 0);
    EXPECT_EQ(bar.MaxValue(), 100);
    EXPECT_EQ(bar.Text(), "0 %");
    bar.SetValue(150);
    EXPECT_EQ(bar.Value(), 100);
    EXPECT_EQ(bar.Text(), "100 %");
    bar.SetValue(-3);
    EXPECT_EQ(bar.Value(), 0);
}

TEST(ProgressBar, SettersRejectInvalidRanges) {
    TPercentProgressBar bar;
    bar.SetMaxValue(0);  // not above the minimum
    EXPECT_EQ(bar.MaxValue(), 100);
    bar.SetMinValue(100);  // not below the maximum
    EXPECT_EQ(bar.MinValue(), 0);
    bar.SetMinValue(20);
    bar.SetMaxValue(30);
    EXPECT_EQ(bar.MinValue(), 20);
    EXPECT_EQ(bar.MaxValue(), 30);
    bar.SetStep(0);
    EXPECT_EQ(bar.Step(), 1);
    bar.SetStep(5);
    EXPECT_EQ(bar.Step(), 5);
}

TEST(ProgressBar, PercentRoundsHalvesToEven) {
    EXPECT_EQ(ProgressBarText(1, 0, 8), "12 %");  // 12.5
    EXPECT_EQ(ProgressBarText(3, 0, 8), "38 %");  // 37.5
    EXPECT_EQ(ProgressBarText(1, 0, 3), "33 %");
    EXPECT_EQ(ProgressBarText(25, 20, 30), "50 %");
    EXPECT_EQ(ProgressBarText(31, 20, 30), "0 %");
    EXPECT_EQ(ProgressBarLength(1, 0, 8, 60), 8);  // 7.5
    EXPECT_EQ(ProgressBarLength(0, 0, 100, 60), 0);
    EXPECT_EQ(ProgressBarLength(100, 0, 100, 60), 60);
}

namespace {

QRgb Pixel(const TPercentProgressBar& bar, int x, int y) { return bar.Render().pixel(x, y); }

}  // namespace

TEST(ProgressBar, BarGrowsInItsDirection) {
    TPercentProgressBar bar;
    bar.resize(100, 20);
    bar.SetShowPercent(false);
    bar.SetBorderStyle(TBorderStyle::bsNone);
    bar.SetBarColor(clRed);
    bar.SetBackColor(clWhite);
    const QRgb red = ColorToRgb(clRed), white = ColorToRgb(clWhite);

    bar.SetValue(0);
    EXPECT_EQ(Pixel(bar, 0, 10), white);  // value at the minimum: no bar

    bar.SetValue(30);
    EXPECT_EQ(Pixel(bar, 0, 10), red);
    EXPECT_EQ(Pixel(bar, 29, 10), red);
    EXPECT_EQ(Pixel(bar, 30, 10), white);

    bar.SetProgressDirection(TPBDirection::pbLeft);
    EXPECT_EQ(Pixel(bar, 99, 10), red);
    EXPECT_EQ(Pixel(bar, 0, 10), white);

    bar.SetProgressDirection(TPBDirection::pbDown);
    bar.SetValue(50);
    EXPECT_EQ(Pixel(bar, 50, 0), red);
    EXPECT_EQ(Pixel(bar, 50, 19), white);

    bar.SetProgressDirection(TPBDirection::pbUp);
    EXPECT_EQ(Pixel(bar, 50, 19), red);
    EXPECT_EQ(Pixel(bar, 50, 0), white);

    bar.SetValue(100);
    bar.SetProgressDirection(TPBDirection::pbRight);
    EXPECT_EQ(Pixel(bar, 99, 19), red);
}

TEST(ProgressBar, SunkenFrameIsTwoPixelsWide) {
    TPercentProgressBar bar;
    bar.SetShowPercent(false);
    bar.SetBackColor(clWhite);
    const QImage img = bar.Render();
    EXPECT_EQ(img.pixel(0, 0), ColorToRgb(0x80000010));    // button shadow
    EXPECT_EQ(img.pixel(1, 1), ColorToRgb(0x80000015));    // 3-D dark shadow
    EXPECT_EQ(img.pixel(59, 19), ColorToRgb(0x80000014));  // button highlight
    EXPECT_EQ(img.pixel(5, 10), ColorToRgb(clWhite));
    EXPECT_EQ(BorderInset(TBorderStyle::bsRaised1), 1);
}
