#pragma once
// A paint device that writes what a QPainter draws as SVG text: solid fills
// and strokes, paths, rectangles, text, images and clipping. Long paths are
// defined once and reused with <use>, so a piece drawn sixteen times is written
// once, and their path data is kept between documents. Text names common
// fallback fonts after its own, or is written as outlines.
#include <QByteArray>
#include <QPaintDevice>
#include <QSize>
#include <QString>
#include <memory>

namespace vorlix {

class TSvgPaintEngine;

class TSvgCanvas : public QPaintDevice {
public:
    // viewBox: the drawing's size in painter units; shownSize: the size the
    // document asks to be shown at, in CSS pixels.
    TSvgCanvas(QSize viewBox, QSize shownSize, const QString& title, const QString& description);
    // Text drawn afterwards is written as the outlines of its glyphs (paths)
    // instead of <text>, so it looks the same where the font is missing.
    void SetTextAsPaths(bool on);
    ~TSvgCanvas() override;

    QPaintEngine* paintEngine() const override;
    // The document, once the painter has ended.
    QByteArray Document() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize viewBox_, shownSize_;
    QString title_, description_;
    std::unique_ptr<TSvgPaintEngine> engine_;
};

}  // namespace vorlix
