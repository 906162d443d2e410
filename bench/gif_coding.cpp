// Times the two codings of GIF pixel data on the pixels of real diagrams:
// every given GIF file is read once, then coded again and again.
// Usage: bench_gif_coding [--rounds N] [--only run-length|LZW] FILE.gif...
// Prints, per coding, the processor time per diagram (median of 5 passes over
// all files) and the total bytes, and checks that each stream decodes to the
// pixels it was made from.
#include <QCoreApplication>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "imaging/ExactReduction.h"
#include "imaging/GifEncoder.h"
#include "imaging/IndexedImage.h"

using namespace vorlix;

namespace {

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

bool SamePixels(const std::vector<std::uint8_t>& bytes, const TIndexedImage& image) {
    const QImage decoded =
        QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "GIF").convertToFormat(QImage::Format_RGB32);
    if (decoded.width() != image.Width || decoded.height() != image.Height) return false;
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x)
            if ((decoded.pixel(x, y) | 0xFF000000u) != (image.Palette[image.At(x, y)] | 0xFF000000u)) return false;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int rounds = 20;
    std::string only;  // one coding alone, for counting its instructions
    std::vector<TIndexedImage> images;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
            continue;
        }
        if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
            only = argv[++i];
            continue;
        }
        std::optional<TIndexedImage> image = ReduceExactly(QImage(QString::fromLocal8Bit(argv[i]), "GIF"), 256);
        if (!image) {
            std::fprintf(stderr, "bench_gif_coding: %s: not a GIF of at most 256 colours\n", argv[i]);
            return 2;
        }
        images.push_back(std::move(*image));
    }
    if (images.empty()) {
        std::fprintf(stderr, "usage: bench_gif_coding [--rounds N] [--only run-length|LZW] FILE.gif...\n");
        return 2;
    }
    std::printf("%zu diagrams, %d rounds a pass, medians of 5 passes\n", images.size(), rounds);
    const struct {
        const char* Name;
        TGifCoding Coding;
    } codings[] = {{"run-length", TGifCoding::RunLength}, {"LZW", TGifCoding::Lzw}};
    for (const auto& coding : codings) {
        if (!only.empty() && only != coding.Name) continue;
        std::vector<std::uint8_t> bytes;
        std::string error;
        std::size_t total = 0;
        bool decodes = true;
        for (const TIndexedImage& image : images) {
            EncodeGif(image, kNoTransparency, coding.Coding, bytes, error);
            total += bytes.size();
            decodes = decodes && SamePixels(bytes, image);
        }
        std::vector<double> passes;
        for (int pass = 0; pass < 5; ++pass) {
            const double start = ThreadCpuMs();
            for (int r = 0; r < rounds; ++r)
                for (const TIndexedImage& image : images)
                    EncodeGif(image, kNoTransparency, coding.Coding, bytes, error);
            passes.push_back((ThreadCpuMs() - start) / (static_cast<double>(rounds) * images.size()));
        }
        std::sort(passes.begin(), passes.end());
        std::printf("%-10s %.4f ms per diagram, %zu bytes in all (%.0f per diagram), decodes to the same pixels: %s\n",
                    coding.Name, passes[2], total, static_cast<double>(total) / images.size(), decodes ? "yes" : "NO");
    }
    return 0;
}
