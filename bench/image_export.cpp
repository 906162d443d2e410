// Writes the default diagram 1,000 times in every image format and depth and
// compares the rate with ImageMagick doing the same on the same 24-bit image.
// Usage: bench_image_export [diagrams] [imagemagick-diagrams]
#include <sys/resource.h>

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <set>
#include <string>
#include <vector>

#include "export/DiagramImage.h"
#include "export/ImageExport.h"
#include "imaging/FixedPalettes.h"

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
    std::string MagickDithered;  // mogrify options; empty: no dithered form
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

// A photograph-like square background: smooth colour fields with fine grain,
// so the diagram holds thousands of colours and colour reduction must dither.
QImage PhotoLikeSquare(int size, int seed) {
    QImage photo(size, size, QImage::Format_RGB32);
    std::uint32_t noise = 2463534242u + static_cast<std::uint32_t>(seed);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            const int grain = static_cast<int>(noise % 24) - 12;
            const int r = 90 + 110 * x / size + grain + seed * 20;
            const int g = 70 + 120 * y / size + grain;
            const int b = 150 - 80 * (x + y) / (2 * size) + grain;
            photo.setPixel(x, y, qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)));
        }
    return photo;
}

int DistinctColours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

void WritePalettePicture(const std::vector<QRgb>& palette, const QString& fileName) {
    QImage picture(static_cast<int>(palette.size()), 1, QImage::Format_RGB32);
    for (int i = 0; i < picture.width(); ++i) picture.setPixel(i, 0, palette[i]);
    picture.save(fileName);
}

// Every format on one image, ours against ImageMagick on the same 24-bit image.
void RunTable(const char* label, const QImage& image, const std::vector<TCase>& cases, int count, int magickCount,
              const QString& workPath) {
    std::printf("%s: %dx%d, %d colours; %d diagrams per format (ImageMagick: %d), one core\n\n", label, image.width(),
                image.height(), DistinctColours(image), count, magickCount);
    const QString inputs = workPath + "/in", ours = workPath + "/ours";
    QDir(inputs).removeRecursively();
    QDir().mkpath(inputs);
    QDir().mkpath(ours);
    image.save(inputs + "/d0.ppm");
    for (int i = 1; i < magickCount; ++i) QFile::copy(inputs + "/d0.ppm", inputs + QString("/d%1.ppm").arg(i));

    std::printf("%-16s %10s %10s %10s | %12s %12s | %9s %9s\n", "format", "ms/diagram", "diagrams/s", "+file ms",
                "IM dith ms", "IM plain ms", "vs dith", "vs plain");
    for (const TCase& c : cases) {
        const auto [encode, save] = TimeOurs(image, c, count, ours);
        double dithered = -1, plain = -1;
        if (magickCount > 0) {
            if (!c.MagickDithered.empty())
                dithered = TimeMagick(inputs, workPath + "/im", c.MagickDithered, c.Extension) / magickCount;
            plain = TimeMagick(inputs, workPath + "/im", c.MagickUndithered, c.Extension) / magickCount;
        }
        auto cell = [](double v) { return v > 0 ? QString::number(v, 'f', 3) : QString("-"); };
        auto ratio = [save](double v) { return v > 0 ? QString::number(v / save, 'f', 1) + "x" : QString("-"); };
        std::printf("%-16s %10.3f %10.0f %10.3f | %12s %12s | %9s %9s\n", c.Name, encode, 1000.0 / encode, save,
                    qPrintable(cell(dithered)), qPrintable(cell(plain)), qPrintable(ratio(dithered)),
                    qPrintable(ratio(plain)));
        QDir(ours).removeRecursively();
        QDir().mkpath(ours);
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int magickCount = argc > 2 ? std::max(0, std::atoi(argv[2])) : count;

    TDiagram diagram;
    TDiagramBoard& board = diagram.Board;
    board.SetStartPosition();
    const QImage plainDiagram = RenderDiagramImage(diagram);
    board.SetLightSquareAutoFit(true);
    board.SetDarkSquareAutoFit(true);
    board.SetLightSquareBitmap(PhotoLikeSquare(96, 0));
    board.SetDarkSquareBitmap(PhotoLikeSquare(96, 3));
    const QImage photoDiagram = RenderDiagramImage(diagram);

    QTemporaryDir work;
    WritePalettePicture(Standard16Palette(), work.path() + "/p16.png");
    WritePalettePicture(Halftone256Palette(), work.path() + "/p256.png");
    const std::string p16 = " -remap '" + work.path().toStdString() + "/p16.png'";
    const std::string p256 = " -remap '" + work.path().toStdString() + "/p256.png'";

    const std::vector<TCase> cases = {
        {"GIF 2 colours", {TImageFormat::Gif, ciMonochrome}, "gif", "-monochrome", "+dither -monochrome"},
        {"GIF 16 colours",
         {TImageFormat::Gif, ci16Colors},
         "gif",
         "-dither FloydSteinberg -colors 16",
         "+dither -colors 16"},
        {"GIF 256 colours",
         {TImageFormat::Gif, ci256Colors},
         "gif",
         "-dither FloydSteinberg -colors 256",
         "+dither -colors 256"},
        {"JPEG quality 81", {TImageFormat::Jpeg, ciTrueColor, 81}, "jpg", "", "-quality 81"},
        {"BMP 1 bit", {TImageFormat::Bmp, ciMonochrome}, "bmp", "-monochrome", "+dither -monochrome"},
        {"BMP 4 bits", {TImageFormat::Bmp, ci16Colors}, "bmp", "-dither FloydSteinberg" + p16, "+dither" + p16},
        {"BMP 8 bits", {TImageFormat::Bmp, ci256Colors}, "bmp", "-dither FloydSteinberg" + p256, "+dither" + p256},
        {"BMP 24 bits", {TImageFormat::Bmp, ciTrueColor}, "bmp", "", "-type TrueColor"},
    };
    // Dithering is only real work on an image with more colours than the
    // palette, so the photo diagram is the one to compare dithered figures on.
    RunTable("default diagram of the start position", plainDiagram, cases, count, magickCount, work.path());
    RunTable("diagram with photo-like square backgrounds", photoDiagram, cases, count, magickCount, work.path());

    std::printf(
        "\nAll times are processor time (user + system) per diagram on one thread.\n"
        "ms/diagram: encoding only; +file ms: encoding and writing the file (temporary file and rename).\n"
        "ImageMagick figures include reading the 24-bit PPM and writing the file, one mogrify process for all\n"
        "diagrams; ratios compare them with our +file time (above 1x: we are faster).\n");
    return 0;
}
