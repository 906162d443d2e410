// Diagram file reading: no crash on any bytes; a file that was read is
// written and read again without an error.
#include <QString>
#include <cstdlib>

#include "FuzzTarget.h"
#include "board/DiagramBoard.h"
#include "board/DiagramFile.h"
#include "board/GuiContext.h"
#include "files/ErrorReporter.h"

using namespace vorlix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool gui = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        EnsureGuiApplication();
        return true;
    }();
    (void)gui;
    TCollectingReporter reporter;
    TDiagram diagram;
    if (!LoadDiagramFile(QString::fromStdString(fuzz::InMemoryFile(data, size)), diagram, reporter)) return 0;
    const QString saved = QString::fromStdString(fuzz::ScratchFolder() + "/saved.vxd");
    SaveDiagramFile(diagram, saved);
    TDiagram again;
    if (!LoadDiagramFile(saved, again, reporter)) std::abort();
    return 0;
}
