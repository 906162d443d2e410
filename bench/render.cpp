// Renderings per second of the default diagram of the start position, against
// two baselines measured in the same run: filling a bitmap of the same size
// (the floor) and rebuilding the prepared piece pictures (what a rendering
// must never do). Rates are in processor time, so a busy machine does not
// distort them. Run by hand: build-*/bin/bench_render [iterations]
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>

#include "board/DiagramBoard.h"
#include "board/GuiContext.h"

using namespace vorlix;

namespace {

// Processor time of this thread in seconds: the machine may be busy with other work.
double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

double PerSecond(int iterations, const std::function<void()>& work) {
    work();  // warm up caches and fonts
    const double start = ThreadCpuSeconds();
    for (int i = 0; i < iterations; ++i) work();
    return iterations / (ThreadCpuSeconds() - start);
}

void Report(const char* name, double rate, double reference) {
    std::printf("%-34s %10.0f /s  %8.3f ms  ratio to render %6.2f\n", name, rate, 1000.0 / rate, rate / reference);
}

}  // namespace

int main(int argc, char** argv) {
    EnsureGuiApplication();
    const int iterations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5000;

    TDiagramBoard board;
    const double render = PerSecond(iterations, [&] { board.Render(); });

    TDiagramBoard styled;
    styled.SetCoordenateOrientation(kAllCoords);
    styled.SetLightShading(shHorizontal);
    styled.SetDarkShading(shDiagonalLR);
    styled.SetGridLineWidth(2);
    styled.HighlightSquare(clRed, true, false, {4, 3});
    const double styledRender = PerSecond(iterations, [&] { styled.Render(); });

    QImage plain(328, 328, QImage::Format_RGB32);
    const double fill = PerSecond(iterations, [&] { plain.fill(0xFFC0C0C0); });
    // Building only marks the pictures stale; the render that follows does the work.
    const double rebuild = PerSecond(std::max(1, iterations / 20), [&] {
        board.BuildPieceImages();
        board.Render();
    });

    std::printf("%d iterations, diagram %dx%d, processor time of one thread\n", iterations, board.Width(),
                board.Height());
    Report("render, defaults", render, render);
    Report("render, shading+grid+4 sides", styledRender, render);
    Report("baseline: fill 328x328", fill, render);
    Report("baseline: rebuild pictures+render", rebuild, render);
    std::printf("default rendering %s the 1 ms budget\n", render > 1000.0 ? "is within" : "EXCEEDS");
    return 0;
}
