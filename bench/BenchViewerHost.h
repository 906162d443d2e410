#pragma once
// What a viewer needs of a main window, and nothing more: for the viewer benchmarks.
#include <QWidget>

#include "board/DiagramBoard.h"
#include "files/ErrorReporter.h"
#include "settings/Settings.h"
#include "viewers/ui/ViewerHost.h"

namespace vorlix {

class TBenchHost : public TViewerHost {
public:
    explicit TBenchHost(TAppSettings& settings) : settings_(settings) {}
    QWidget* HostWindow() override { return &window_; }
    QRect BoardPanelGlobalRect() const override { return QRect(0, 400, 328, 328); }
    TDiagramBoard& Board() override { return board_; }
    TAppSettings& Settings() override { return settings_; }
    TErrorReporter& Reporter() override { return reporter_; }
    void DiagramChangedByViewer() override {}
    void PlaySound(const QString&) override {}
    void ViewerClosed() override {}
    void OpenPgnBatch(TPgnBatchSource&) override {}
    void OpenEpdBatch(TEpdBatchSource&) override {}

private:
    QWidget window_;
    TDiagramBoard board_;
    TAppSettings& settings_;
    TCollectingReporter reporter_;
};

}  // namespace vorlix
