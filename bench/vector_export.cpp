// Per-diagram times of the outputs drawn at any size (PNG at 100 % and at
// 1200 pixels, SVG, PDF) and of a 60-move animated GIF, against ImageMagick
// converting our BMP to PNG and rsvg-convert rasterising our SVG, in one run.
// Usage: bench_vector_export [runs] GAMES.pgn.gz
#include <sys/resource.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "export/DiagramImage.h"
#include "export/GameAnimation.h"
#include "export/ImageExport.h"
#include "export/ScalableExport.h"
#include "files/GameReplay.h"
#include "files/MoveTokens.h"
#include "files/PGNReader.h"
#include "imaging/ExactPalette.h"
#include "imaging/ExactReduction.h"
#include "imaging/PngWriter.h"

using namespace vorlix;

namespace {

// Processor time (this thread's plus finished child processes'), so that a
// busy machine does not distort the figures.
double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    auto ms = [](const timeval& v) { return v.tv_sec * 1e3 + v.tv_usec / 1e3; };
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6 + ms(children.ru_utime) + ms(children.ru_stime);
}

// Median over runs of the mean processor time of `per` calls, in ms.
double Median(int runs, int per, const std::function<void()>& work) {
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        const double start = CpuMs();
        for (int i = 0; i < per; ++i) work();
        times.push_back((CpuMs() - start) / per);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double RunTool(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(60000) && process.exitCode() == 0 ? 0 : -1;
}

// The writer used before: Qt's (libpng trying every row filter), given the
// exact palette image when there is one, else the image at zlib level 3.
QByteArray QtPng(const QImage& image) {
    const std::optional<QImage> indexed = ExactIndexedImage(image);
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!indexed) writer.setQuality(67);
    writer.write(indexed.value_or(image));
    return out;
}

QByteArray OurPng(const QImage& image) {
    QByteArray out;
    std::optional<TIndexedImage> indexed;
    if (image.format() == QImage::Format_RGB32) indexed = ReduceExactly(image, 256);
    if (indexed)
        EncodePng(*indexed, 3780, out);
    else
        EncodePng(image, 3780, out);
    return out;
}

bool SamePixels(const QByteArray& a, const QByteArray& b) {
    const QImage x = QImage::fromData(a, "png"), y = QImage::fromData(b, "png");
    return !x.isNull() && x.convertToFormat(QImage::Format_ARGB32) == y.convertToFormat(QImage::Format_ARGB32);
}

// Our writer against Qt's on a set of images, then our writer's settings one by
// one on the same images (colour reduction done once), so that the defaults
// can be chosen by measurement.
void ComparePngWriters(const char* title, const std::vector<QImage>& images, int runs, bool sweep) {
    long long ours = 0, theirs = 0;
    bool same = true;
    double worst = 0;
    std::vector<long long> theirSizes;
    for (const QImage& image : images) {
        const QByteArray a = OurPng(image), b = QtPng(image);
        ours += a.size();
        theirs += b.size();
        theirSizes.push_back(b.size());
        worst = std::max(worst, double(a.size()) / double(b.size()));
        same = same && SamePixels(a, b);
    }
    const int n = int(images.size());
    const double tOurs = Median(runs, 1,
                                [&] {
                                    for (const QImage& image : images) OurPng(image);
                                }) /
                         n;
    const double tQt = Median(runs, 1,
                              [&] {
                                  for (const QImage& image : images) QtPng(image);
                              }) /
                       n;
    std::printf(
        "%s (%d images): ours %.3f ms, %lld bytes; Qt's writer %.3f ms, %lld bytes; time %.2fx, size %.3fx "
        "(largest file %.3fx)%s\n",
        title, n, tOurs, ours, tQt, theirs, tOurs / tQt, double(ours) / double(theirs), worst,
        same ? ", same pixels" : ", PIXELS DIFFER");
    if (!sweep) return;
    std::vector<std::optional<TIndexedImage>> reduced;
    for (const QImage& image : images)
        reduced.push_back(image.format() == QImage::Format_RGB32 ? ReduceExactly(image, 256) : std::nullopt);
    static const char* const kFilters[] = {"none", "sub", "up", "", "paeth"};
    for (TPngFilter filter : {TPngFilter::None, TPngFilter::Sub, TPngFilter::Up, TPngFilter::Paeth}) {
        for (auto [level, strategy] : std::vector<std::pair<int, int>>{
                 {1, 0}, {2, 0}, {3, 0}, {4, 0}, {4, 1}, {5, 0}, {5, 1}, {6, 0}, {6, 1}, {1, 3}}) {
            const TPngDeflate settings{filter, level, strategy};
            long long bytes = 0;
            double largest = 0;
            QByteArray out;
            auto encodeAll = [&] {
                bytes = 0;
                for (int i = 0; i < n; ++i) {
                    if (reduced[i])
                        EncodePng(*reduced[i], 3780, settings, out);
                    else
                        EncodePng(images[i], 3780, settings, out);
                    bytes += out.size();
                    largest = std::max(largest, double(out.size()) / double(theirSizes[i]));
                }
            };
            const double t = Median(runs, 1, encodeAll) / n;
            std::printf("  filter %-5s level %d %-8s %8.3f ms %9lld bytes (%.3fx Qt's size, largest file %.3fx)\n",
                        kFilters[int(filter)], level,
                        strategy == 3   ? "rle"
                        : strategy == 1 ? "filtered"
                                        : "default",
                        t, bytes, double(bytes) / double(theirs), largest);
        }
    }
}

// The first game of the file with at least 120 half-moves, cut to its first 60 moves.
bool SixtyMoveGame(const QString& path, TPGNRec& wanted) {
    QProcess unzip;
    unzip.start("gzip", {"-dc", path});
    if (!unzip.waitForFinished(120000)) return false;
    QTemporaryDir dir;
    const QString pgn = dir.filePath("games.pgn");
    QFile out(pgn);
    if (!out.open(QIODevice::WriteOnly)) return false;
    out.write(unzip.readAllStandardOutput());
    out.close();
    TPGNRec game;
    bool found = false;
    TSilentReporter silent;
    ReadPGNFile(
        pgn.toStdString(), silent,
        [&] {
            ResetGame(game);
            return &game;
        },
        [&](TPGNRec& done) {
            if (found || done.HasSetup) return;
            std::vector<TMove> moves;
            SplitMoveTokens(done.Moves, done.Result, true, moves);
            if (moves.size() < 120) return;
            std::string text;
            for (size_t i = 0; i < 120; ++i) text += std::string(moves[i].Text) + ' ';
            wanted = done;
            wanted.Moves = text;
            found = true;
        });
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(5, std::atoi(argv[1])) : 5;
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_vector_export [runs] GAMES.pgn.gz\n");
        return 2;
    }
    const QString games = argv[2];
    QTemporaryDir dir;
    TDiagram diagram;
    TDiagramBoard& board = diagram.Board;
    board.SetStartPosition();
    TBoardMarks marks;
    marks.Arrows = {{12, 28, TMarkColor::Green}};
    marks.Squares = {{28, TMarkColor::Red}};
    board.SetMarks(marks);

    auto encode = [&](TImageFormat format, double scale) {
        TScalableOptions o;
        o.Format = format;
        o.Scale = scale;
        QByteArray bytes;
        std::string error;
        EncodeScalableImage(diagram, o, bytes, error);
        return bytes;
    };
    std::printf("start position with an arrow and a marked square, 328 x 328; median of %d runs\n", runs);
    const double png = Median(runs, 200, [&] { encode(TImageFormat::Png, 1); });
    // Three arrows blend into more than 256 colours: the 24-bit PNG.
    board.SetMarks({{{12, 28, TMarkColor::Green}, {59, 31, TMarkColor::Red}, {8, 18, TMarkColor::Yellow}},
                    {{28, TMarkColor::Red}}});
    const double pngArrows = Median(runs, 200, [&] { encode(TImageFormat::Png, 1); });
    const long long pngArrowsSize = encode(TImageFormat::Png, 1).size();
    board.SetMarks(marks);
    const double svg = Median(runs, 200, [&] { encode(TImageFormat::Svg, 1); });
    const double pdf = Median(runs, 50, [&] { encode(TImageFormat::Pdf, 1); });
    const double big = Median(runs, 20, [&] { encode(TImageFormat::Png, 1200.0 / 328); });
    std::printf(
        "PNG 100 %%        %8.3f ms, %lld bytes\nSVG              %8.3f ms, %lld bytes\n"
        "PDF              %8.3f ms, %lld bytes\nPNG 1200 px      %8.3f ms, %lld bytes\n",
        png, (long long)encode(TImageFormat::Png, 1).size(), svg, (long long)encode(TImageFormat::Svg, 1).size(), pdf,
        (long long)encode(TImageFormat::Pdf, 1).size(), big, (long long)encode(TImageFormat::Png, 1200.0 / 328).size());
    std::printf("PNG 100 %%, three arrows (24-bit) %8.3f ms, %lld bytes\n", pngArrows, pngArrowsSize);

    // Peers, each one process per diagram as a publisher's script would run them.
    const QString bmp = dir.filePath("board.bmp"), svgFile = dir.filePath("board.svg");
    TSilentReporter silent;
    SaveDiagramImage(RenderDiagramImage(diagram), bmp, {TImageFormat::Bmp, ciTrueColor}, silent);
    QFile s(svgFile);
    s.open(QIODevice::WriteOnly);
    s.write(encode(TImageFormat::Svg, 1));
    s.close();
    const double ours = Median(runs, 10, [&] {
        TScalableOptions o;
        SaveScalableImage(diagram, dir.filePath("ours.png"), o, silent);
    });
    const double magick = Median(runs, 10, [&] { RunTool("convert", {bmp, dir.filePath("magick.png")}); });
    const double rsvg = Median(runs, 10, [&] { RunTool("rsvg-convert", {svgFile, "-o", dir.filePath("rsvg.png")}); });
    const double rsvgBig = Median(runs, 10, [&] {
        RunTool("rsvg-convert", {"-w", "1200", svgFile, "-o", dir.filePath("rsvg-big.png")});
    });
    std::printf("PNG 100 %% written %7.3f ms; ImageMagick convert BMP->PNG %8.3f ms (%.0fx ours)\n", ours, magick,
                magick / ours);
    std::printf(
        "rsvg-convert our SVG -> PNG 328 px %8.3f ms (%.0fx our PNG), 1200 px %8.3f ms (%.1fx our 1200 px PNG)\n", rsvg,
        rsvg / png, rsvgBig, rsvgBig / big);

    TPGNRec game;
    if (!SixtyMoveGame(games, game)) {
        std::printf("no 60-move game in %s\n", qPrintable(games));
        return 0;
    }
    // Every position of the game as the default diagram (the batch's PNG road),
    // and a few of them at 1200 pixels, grey and with arrows in colour.
    std::vector<QImage> frames;
    {
        TDiagram fresh;
        std::string error;
        RenderGameFrames(fresh, game, false, frames, error);
    }
    const bool sweep = std::getenv("PNG_SWEEP") != nullptr;
    ComparePngWriters("PNG of the game's diagrams, 100 %", frames, runs, sweep);
    {
        std::vector<QImage> marked{RenderDiagramImage(diagram)};
        board.SetMarks({{{12, 28, TMarkColor::Green}, {59, 31, TMarkColor::Red}, {8, 18, TMarkColor::Yellow}},
                        {{28, TMarkColor::Red}}});
        marked.push_back(RenderDiagramImage(diagram));
        board.SetMarks(marks);
        ComparePngWriters("PNG 100 %, one arrow and three arrows", marked, runs, sweep);
    }
    std::vector<QImage> large, largeArrows;
    {
        TGameReplay replay(game);
        for (int ply = 0; ply <= 120; ++ply) {
            if (ply % 30 == 0) {
                TDiagram one;
                std::array<int32_t, 64> codes{};
                std::copy(std::begin(replay.Position().Board), std::end(replay.Position().Board), codes.begin());
                one.Board.SetCodes(codes);
                large.push_back(
                    RenderScaledDiagramImage(one, 1200.0 / 328, false).convertToFormat(QImage::Format_RGB32));
                one.Board.SetMarks(
                    {{{12, 28, TMarkColor::Green}, {59, 31, TMarkColor::Red}, {8, 18, TMarkColor::Yellow}},
                     {{28, TMarkColor::Red}}});
                largeArrows.push_back(
                    RenderScaledDiagramImage(one, 1200.0 / 328, false).convertToFormat(QImage::Format_RGB32));
            }
            if (!replay.Step()) break;
        }
    }
    ComparePngWriters("PNG 1200 px, grey", large, runs, sweep);
    ComparePngWriters("PNG 1200 px, three arrows (24-bit)", largeArrows, runs, sweep);
    {
        TDiagram one;
        one.Board.SetStartPosition();
        const QImage clear = RenderScaledDiagramImage(one, 2, true);
        ComparePngWriters("PNG 200 %, transparent (32-bit)", {clear}, runs, sweep);
    }

    std::size_t size = 0;
    const double gif = Median(runs, 3, [&] {
        TDiagram fresh;
        std::vector<std::uint8_t> bytes;
        std::string error;
        EncodeGameAnimation(fresh, game, {}, bytes, error);
        size = bytes.size();
    });
    std::printf("animated GIF, 60 moves (121 frames) %8.3f ms, %zu bytes\n", gif, size);
    return 0;
}
