#include "viewers/ui/ViewerHost.h"

#include <QPageSetupDialog>
#include <QPrinter>

#include "board/DiagramBoard.h"
#include "board/MoveAnimation.h"
#include "common/ui/DialogOwner.h"

namespace vorlix {

namespace {

// Shows nothing and never waits: the move's squares change at once.
class TNoFramesHost : public TAnimationHost {
public:
    void ShowFrame(const QImage&, QPoint) override {}
    void Wait(int) override {}
    void ProcessMessages() override {}
};

}  // namespace

void TViewerHost::AnimateMove(const TChessMove& move) {
    TNoFramesHost host;
    vorlix::AnimateMove(Board(), move, host);
    Board().Refresh();
}

void TViewerHost::AnimateTakeBack(const TChessMove& move, int capturedPiece) {
    TNoFramesHost host;
    vorlix::AnimateTakeBack(Board(), move, capturedPiece, host);
    Board().Refresh();
}

QPrinter& TViewerHost::Printer() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

void TViewerHost::PrinterSetup() {
    QPageSetupDialog dialog(&Printer(), DialogOwner(HostWindow()));
    dialog.exec();
}

}  // namespace vorlix
