#pragma once
// The SVG rasterised by an independent reader, rsvg-convert, on white; a null
// image when it is not installed.
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

// With an environment, rsvg-convert runs in it (for example with a font
// configuration that finds no fonts).
inline QImage RasterisedByRsvg(const QByteArray& svg,
                               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    const QString rsvg = QStandardPaths::findExecutable("rsvg-convert");
    if (rsvg.isEmpty()) return {};
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(rsvg, {"--background-color", "white"});
    process.write(svg);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000)) return {};
    return QImage::fromData(process.readAllStandardOutput(), "png").convertToFormat(QImage::Format_RGB32);
}
