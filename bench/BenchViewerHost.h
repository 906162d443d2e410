#pragma once
// What a viewer needs of a main window, and nothing more: for the viewer benchmarks.
#include <QWidget>

#include "settings/Settings.h"
#include "board/ChessBoard.h"
#include "files/ErrorReporter.h"
#include "viewers/ui/ViewerHost.h"

namespace vorlix {

class TBenchHost : public TViewerHost {
public:
    explicit TBenchHost(TAppSettings& settings) : FSettings(settings) {}
    QWidget* HostWindow() override { return &FWindow; }
    QRect BoardPanelGlobalRect() const override { return QRect(0, 400, 328, 328); }
    TkxChessBrd& Board() override { return FBoard; }
    TAppSettings& Settings() override { return FSettings; }
    TErrorReporter& Reporter() override { return FReporter; }
    void DiagramChangedByViewer() override {}
    void PlaySound(const QString&) override {}
    void ViewerClosed() override {}
    void OpenPgnBatch(TPgnBatchSource&) override {}
    void OpenEpdBatch(TEpdBatchSource&) override {}

private:
    QWidget FWindow;
    TkxChessBrd FBoard;
    TAppSettings& FSettings;
    TCollectingReporter FReporter;
};

}  // namespace vorlix
