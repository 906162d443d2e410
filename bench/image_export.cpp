// Writes the default diagram 1,000 times in every image format and depth and
// compares the rate with ImageMagick doing the same on the same 24-bit image.
// Usage: bench_image_export [diagrams] [imagemagick-diagrams]
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <sys/resource.h>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <string>
#include <vector>

#include "export/DiagramImage.h"
#include "export/FixedPalettes.h"
#include "export/ImageExport.h"

using namespace vorlix;

namespace {

// Processor time rather than wall time: the machine may be busy with other work.
double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double ChildrenCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto ms = [](const timeval& v) { return v.tv_sec * 1e3 + v.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

struct TCase {
    const char* Name;
    TImageSaveOptions Options;
    const char* Extension;
    std::string MagickDithered;    // mogrify options; empty: no dithered form
    std::string MagickUndithered;
};

// Milliseconds per diagram for encoding only, and with the files written.
std::pair<double, double> TimeOurs(const QImage& image, const TCase& c, int count, const QString& folder) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    double start = ThreadCpuMs();
    for (int i = 0; i < count; ++i) EncodeDiagramImage(image, c.Options, bytes, error);
    const double encode = (ThreadCpuMs() - start) / count;
    TSilentReporter silent;
    start = ThreadCpuMs();
    for (int i = 0; i < count; ++i)
        SaveDiagramImage(image, folder + QString("/ours%1.%2").arg(i).arg(c.Extension), c.Options, silent);
    const double save = (ThreadCpuMs() - start) / count;
    return {encode, save};
}

// One mogrify process converts count copies of the diagram; ms per diagram.
double TimeMagick(const QString& inputs, const QString& output, const std::string& options, const char* extension) {
    QDir(output).removeRecursively();
    QDir().mkpath(output);
    const std::string command = "cd '" + inputs.toStdString() + "' && MAGICK_THREAD_LIMIT=1 mogrify -path '" +
                                output.toStdString() + "' -format " + extension + " " + options + " *.ppm";
    const double start = ChildrenCpuMs();
    if (std::system(command.c_str()) != 0) return -1;
    return ChildrenCpuMs() - start;
}

void WritePalettePicture(const std::vector<QRgb>& palette, const QString& fileName) {
    QImage picture(static_cast<int>(palette.size()), 1, QImage::Format_RGB32);
    for (int i = 0; i < picture.width(); ++i) picture.setPixel(i, 0, palette[i]);
    picture.save(fileName);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int magickCount = argc > 2 ? std::max(0, std::atoi(argv[2])) : count;

    TkxChessBrd board;
    board.SetStartPosition();
    const QImage image = RenderDiagramImage(board, {}, {});
    std::printf("Diagram %dx%d, %d diagrams per format (ImageMagick: %d), one core\n\n", image.width(),
                image.height(), count, magickCount);

    QTemporaryDir work;
    const QString inputs = work.path() + "/in", ours = work.path() + "/ours";
    QDir().mkpath(inputs);
    QDir().mkpath(ours);
    image.save(inputs + "/d0.ppm");
    for (int i = 1; i < magickCount; ++i) QFile::copy(inputs + "/d0.ppm", inputs + QString("/d%1.ppm").arg(i));
    WritePalettePicture(Standard16Palette(), work.path() + "/p16.png");
    WritePalettePicture(Halftone256Palette(), work.path() + "/p256.png");
    const std::string p16 = " -remap '" + work.path().toStdString() + "/p16.png'";
    const std::string p256 = " -remap '" + work.path().toStdString() + "/p256.png'";

    const std::vector<TCase> cases = {
        {"GIF 2 colours", {TImageFormat::Gif, ciMonochrome}, "gif", "-monochrome", "+dither -monochrome"},
        {"GIF 16 colours", {TImageFormat::Gif, ci16Colors}, "gif", "-dither FloydSteinberg -colors 16",
         "+dither -colors 16"},
        {"GIF 256 colours", {TImageFormat::Gif, ci256Colors}, "gif", "-dither FloydSteinberg -colors 256",
         "+dither -colors 256"},
        {"JPEG quality 81", {TImageFormat::Jpeg, ciTrueColor, 81}, "jpg", "", "-quality 81"},
        {"BMP 1 bit", {TImageFormat::Bmp, ciMonochrome}, "bmp", "-monochrome", "+dither -monochrome"},
        {"BMP 4 bits", {TImageFormat::Bmp, ci16Colors}, "bmp", "-dither FloydSteinberg" + p16, "+dither" + p16},
        {"BMP 8 bits", {TImageFormat::Bmp, ci256Colors}, "bmp", "-dither FloydSteinberg" + p256, "+dither" + p256},
        {"BMP 24 bits", {TImageFormat::Bmp, ciTrueColor}, "bmp", "", "-type TrueColor"},
    };

    std::printf("%-16s %10s %10s %10s | %12s %12s | %9s %9s\n", "format", "ms/diagram", "diagrams/s", "+file ms",
                "IM dith ms", "IM plain ms", "vs dith", "vs plain");
    for (const TCase& c : cases) {
        const auto [encode, save] = TimeOurs(image, c, count, ours);
        double dithered = -1, plain = -1;
        if (magickCount > 0) {
            if (!c.MagickDithered.empty())
                dithered = TimeMagick(inputs, work.path() + "/im", c.MagickDithered, c.Extension) / magickCount;
            plain = TimeMagick(inputs, work.path() + "/im", c.MagickUndithered, c.Extension) / magickCount;
        }
        auto cell = [](double v) { return v > 0 ? QString::number(v, 'f', 3) : QString("-"); };
        auto ratio = [save](double v) { return v > 0 ? QString::number(v / save, 'f', 1) + "x" : QString("-"); };
        std::printf("%-16s %10.3f %10.0f %10.3f | %12s %12s | %9s %9s\n", c.Name, encode, 1000.0 / encode, save,
                    qPrintable(cell(dithered)), qPrintable(cell(plain)), qPrintable(ratio(dithered)),
                    qPrintable(ratio(plain)));
        QDir(ours).removeRecursively();
        QDir().mkpath(ours);
    }
    std::printf("\nAll times are processor time (user + system) per diagram on one thread.\n"
                "ms/diagram: encoding only; +file ms: encoding and writing the file (temporary file and rename).\n"
                "ImageMagick figures include reading the 24-bit PPM and writing the file, one mogrify process for all\n"
                "diagrams; ratios compare them with our +file time (above 1x: we are faster).\n");
    return 0;
}
