#pragma once
// What the archive viewers and the batch dialogs need of the editor's main
// window. The main window implements it, so nothing in viewers/ or batch/
// includes the main window; tests can hand the viewers a small fake host.
#include <QRect>
#include <QString>
#include <string>

class QPrinter;
class QWidget;

namespace vorlix {

struct TChessMove;
class TAppSettings;
class TErrorReporter;
class TDiagramBoard;
class TUndoList;
class TPgnBatchSource;
class TEpdBatchSource;

class TViewerHost {
public:
    virtual ~TViewerHost() = default;

    // The window dialogs centre on and viewers are placed against.
    virtual QWidget* HostWindow() = 0;
    // The board panel in global coordinates (the PGN viewer sits just above it).
    virtual QRect BoardPanelGlobalRect() const = 0;
    virtual TDiagramBoard& Board() = 0;
    virtual TAppSettings& Settings() = 0;
    virtual TErrorReporter& Reporter() = 0;

    // A viewer changed the diagram: modified mark, caption and one undo snapshot.
    virtual void DiagramChangedByViewer() = 0;
    // Plays a wave file beside the program when sounds are on.
    virtual void PlaySound(const QString& waveName) = 0;
    // A viewer window closed: the opening flag is cleared.
    virtual void ViewerClosed() = 0;
    // The batch dialogs for the checked games or ticked positions (modal).
    virtual void OpenPgnBatch(TPgnBatchSource& source) = 0;
    virtual void OpenEpdBatch(TEpdBatchSource& source) = 0;

    // A move of the game viewer, or its take-back, shown on the board
    // (animated when the board's Animate is on). The defaults change the
    // squares and repaint without showing frames.
    virtual void AnimateMove(const TChessMove& move);
    virtual void AnimateTakeBack(const TChessMove& move, int capturedPiece);
    // The printer the print and printer setup dialogs work on; by default
    // one printer shared by the whole program.
    virtual QPrinter& Printer();
    // The main window's printer setup dialog; by default the page setup of Printer().
    virtual void PrinterSetup();
};

// What the opening road needs of a viewer window (the EPD and the PGN viewer).
class TArchiveViewer {
public:
    virtual ~TArchiveViewer() = default;
    // Reads the file; reports its own errors; true on success.
    virtual bool LoadArchive(const QString& fileName) = 0;
    virtual void ShowArchive() = 0;
    virtual void CloseArchive() = 0;
    virtual bool ArchiveVisible() const = 0;
    // The PGN viewer stops its automatic replay; the EPD viewer does nothing.
    virtual void StopAutoReplay() {}
    // A line was appended to a file; a viewer holding that file shows it too.
    virtual void LineAppended(const QString& /*fileName*/, const std::string& /*line*/) {}
    // Ended from outside: unsaved edits go to the recovery file instead of
    // being asked about.
    virtual void KeepUnsavedEdits(const QString& /*recoveryFile*/) {}
    // At the next start: offers what KeepUnsavedEdits kept and, when the user
    // wants it, shows it with its edits still unsaved; true when shown.
    virtual bool OfferRecovered(const QString& /*recoveryFile*/) { return false; }
};

}  // namespace vorlix
