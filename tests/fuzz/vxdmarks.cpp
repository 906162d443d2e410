// The mark and coordinate tags at the end of a diagram file: no crash on any
// bytes after a valid file; what is read is on the board, no arrow from a
// square to itself, nothing twice, at most the bound of arrows; and saving and
// loading again keeps the marks and the coordinates, byte for byte.
//
// Input: the first byte chooses raw bytes (odd) or bytes lifted into the
// tags' range (even: b -> 202 + b % 54, so 28 is an arrow, 29 a square, 30
// coordinates inside, and a value v is written v), appended to a default file.
#include <QString>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "FuzzTarget.h"
#include "board/DiagramBoard.h"
#include "board/DiagramFile.h"
#include "board/DiagramFileTags.h"
#include "board/GuiContext.h"
#include "files/BoardMarks.h"
#include "files/ErrorReporter.h"

using namespace vorlix;

namespace {

void CheckMarks(const TBoardMarks& marks) {
    if (marks.Arrows.size() > TMarkCollector::kMaxArrows) std::abort();
    std::set<std::pair<int, int>> arrows;
    for (const TArrowMark& a : marks.Arrows)
        if (a.From < 0 || a.From > 63 || a.To < 0 || a.To > 63 || a.From == a.To || int(a.Color) >= kMarkColorCount ||
            !arrows.insert({a.From, a.To}).second)
            std::abort();
    std::set<int> squares;
    for (const TSquareMark& s : marks.Squares)
        if (s.Square < 0 || s.Square > 63 || int(s.Color) >= kMarkColorCount || !squares.insert(s.Square).second)
            std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::vector<uint8_t> base = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        EnsureGuiApplication();
        return EncodeDiagram(TDiagram());
    }();
    if (size == 0) return 0;
    std::vector<uint8_t> file = base;
    const bool raw = data[0] & 1;
    for (size_t i = 1; i < size; ++i)
        file.push_back(raw ? data[i] : static_cast<uint8_t>(vxd::kMarkByteBase + data[i] % (256 - vxd::kMarkByteBase)));

    TCollectingReporter reporter;
    TDiagram diagram;
    if (!LoadDiagramFile(QString::fromStdString(fuzz::InMemoryFile(file.data(), file.size())), diagram, reporter))
        return 0;
    CheckMarks(diagram.Board.Marks());
    const std::vector<uint8_t> saved = EncodeDiagram(diagram);
    TDiagram again;
    if (!LoadDiagramFile(QString::fromStdString(fuzz::InMemoryFile(saved.data(), saved.size())), again, reporter))
        std::abort();
    if (!(again.Board.Marks() == diagram.Board.Marks())) std::abort();
    if (again.Board.CoordenateInside() != diagram.Board.CoordenateInside()) std::abort();
    if (EncodeDiagram(again) != saved) std::abort();
    return 0;
}
