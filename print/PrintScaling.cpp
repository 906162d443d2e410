#include "print/PrintScaling.h"

#include "imaging/ImageScaling.h"

namespace vorlix {
namespace {

constexpr float kFactors[kPrintScaleCount] = {1.0f, 1.25f, 1.5f, 1.75f, 2.0f, 2.25f,
                                              2.5f, 2.75f, 3.0f, 4.0f,  5.0f, 6.0f};
constexpr int kPercents[kPrintScaleCount] = {100, 125, 150, 175, 200, 225, 250, 275, 300, 400, 500, 600};
constexpr int kPageMargin = 10;
constexpr int kPreviewDivisor = 5;

}  // namespace

float PrintScaleFactor(int index) { return index >= 0 && index < kPrintScaleCount ? kFactors[index] : 1.0f; }

QString PrintScaleCaption(int index) {
    return index >= 0 && index < kPrintScaleCount ? QString::number(kPercents[index]) + " %" : QString();
}

std::optional<int> PrintScaleIndexOfPercent(int percent) {
    for (int i = 0; i < kPrintScaleCount; ++i)
        if (kPercents[i] == percent) return i;
    return std::nullopt;
}

std::optional<int> PrintScaleIndexOfFactor(float factor) {
    for (int i = 0; i < kPrintScaleCount; ++i)
        if (kFactors[i] == factor) return i;
    return std::nullopt;
}

QRect PrintRect(QSize image, float factor) {
    const QSize size = ScaledSize(image, factor);
    return QRect(kPageMargin, kPageMargin, size.width(), size.height());
}

QSize PreviewPictureSize(QSize page) {
    return {page.width() / kPreviewDivisor + kPageMargin, page.height() / kPreviewDivisor + kPageMargin};
}

QSize PreviewBitmapSize(QSize page) { return {page.width() / kPreviewDivisor, page.height() / kPreviewDivisor}; }

QRect PreviewDiagramRect(QSize image, float factor) {
    const QSize size = ScaledSize(image, factor);
    // Right and bottom edges as the page's, divided; the rectangle excludes them.
    const int right = (size.width() + kPageMargin) / kPreviewDivisor;
    const int bottom = (size.height() + kPageMargin) / kPreviewDivisor;
    return QRect(kPageMargin, kPageMargin, right - kPageMargin, bottom - kPageMargin);
}

}  // namespace vorlix
