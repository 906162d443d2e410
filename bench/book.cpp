// A game book of real games as PDF: the first GAMES games of a PGN file (plain
// or gzip), each with the diagram glyph $201 after White's move of every tenth
// move (real collections seldom carry diagram marks), laid out and written
// with vector diagrams. Prints the time to build the book's text and to write
// the PDF, processor time of this thread and wall time.
// Usage: bench_book [--games N] GAMES   (default 1000; target: under 10 s in all)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "batch/GameBook.h"
#include "batch/GameBookWriter.h"
#include "files/ErrorReporter.h"
#include "files/PGNReader.h"

using namespace vorlix;

namespace {

double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// "$201" after White's move of every tenth move of the main line.
std::string WithDiagramMarks(const std::string& moves) {
    std::string out;
    size_t i = 0;
    bool markNext = false;
    int depth = 0;
    while (i < moves.size()) {
        size_t end = moves.find(' ', i);
        if (end == std::string::npos) end = moves.size();
        const std::string token = moves.substr(i, end - i);
        out += token;
        if (token.find('{') != std::string::npos) ++depth;
        if (token.find('}') != std::string::npos) --depth;
        if (markNext && depth == 0 && !token.empty() && token.back() != '.') {
            out += " $201";
            markNext = false;
        }
        const size_t dot = token.find('.');
        if (depth == 0 && dot != std::string::npos && dot > 0 && token.find("...") == std::string::npos &&
            std::atoi(token.c_str()) % 10 == 0) {
            markNext = true;
            if (dot + 1 < token.size()) {  // "10.e4": the move is in the same token
                out += " $201";
                markNext = false;
            }
        }
        out += ' ';
        i = end + 1;
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    long limit = 1000;
    const char* source = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--games") && i + 1 < argc)
            limit = std::atol(argv[++i]);
        else
            source = argv[i];
    }
    if (!source || limit <= 0) {
        std::fprintf(stderr, "usage: bench_book [--games N] GAMES\n");
        return 2;
    }
    QProcess gunzip;
    gunzip.start("gzip", {"-dcf", QString::fromLocal8Bit(source)});
    if (!gunzip.waitForFinished(-1) || gunzip.exitCode() != 0) {
        std::fprintf(stderr, "bench_book: cannot read %s\n", source);
        return 2;
    }
    QTemporaryDir dir;
    const QString name = dir.filePath("games.pgn");
    {
        QFile out(name);
        if (!out.open(QIODevice::WriteOnly) || out.write(gunzip.readAllStandardOutput()) < 0) return 2;
    }
    std::vector<std::unique_ptr<TPGNRec>> games;
    TSilentReporter reporter;
    ReadPGNFile(
        name.toStdString(), reporter,
        [&]() -> TPGNRec* {
            games.push_back(std::make_unique<TPGNRec>());
            return games.back().get();
        },
        [](TPGNRec&) {});
    if (static_cast<long>(games.size()) > limit) games.resize(static_cast<size_t>(limit));
    for (auto& game : games) game->Moves = WithDiagramMarks(game->Moves);

    QElapsedTimer wall;
    wall.start();
    const double start = ThreadSeconds();
    std::vector<TBookGame> book;
    size_t diagrams = 0;
    for (const auto& game : games) {
        book.push_back(BuildBookGame(*game, TBookOptions{}));
        diagrams += book.back().Diagrams.size();
    }
    const double built = ThreadSeconds();
    std::string error;
    const QString pdf = dir.filePath("book.pdf");
    if (!WriteGameBook(book, TBookOptions{}, pdf, "bench", error)) {
        std::fprintf(stderr, "bench_book: %s\n", error.c_str());
        return 1;
    }
    const double written = ThreadSeconds();
    std::printf(
        "games %zu, diagrams %zu, PDF %.1f MB: text %.2f s, PDF %.2f s, all %.2f s processor time, %.2f s wall\n",
        book.size(), diagrams, QFileInfo(pdf).size() / 1e6, built - start, written - built, written - start,
        wall.elapsed() / 1000.0);
    return 0;
}
