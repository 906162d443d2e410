#pragma once
// A main window stand-in for the viewers: a board without a control, settings
// in a scratch file, and counters of what the viewer asked for.
#include <QTemporaryDir>
#include <QWidget>
#include <vector>

#include "batch/BatchSources.h"
#include "board/DiagramBoard.h"
#include "files/ErrorReporter.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "viewers/ui/ViewerHost.h"

namespace vorlix {

class TFakeHost : public TViewerHost {
public:
    TFakeHost() : Store(Dir.filePath("settings.ini")), AppSettings(Store) {
        Window.setGeometry(200, 300, 800, 600);
        BoardModel.SetAnimate(false);
    }
    QWidget* HostWindow() override { return &Window; }
    QRect BoardPanelGlobalRect() const override { return {250, 400, 400, 400}; }
    TDiagramBoard& Board() override { return BoardModel; }
    TAppSettings& Settings() override { return AppSettings; }
    TErrorReporter& Reporter() override { return Messages; }
    void DiagramChangedByViewer() override { ++Changes; }
    void PlaySound(const QString& name) override { Sounds.push_back(name); }
    void ViewerClosed() override { ++Closed; }
    void OpenPgnBatch(TPgnBatchSource& source) override {
        ++Batches;
        BatchChecked = source.CheckedGameCount();
        BoardModel.SetPiece(0, 0, 0);  // the batch run puts its own positions on the board
    }
    void OpenEpdBatch(TEpdBatchSource&) override {}
    void AnimateMove(const TChessMove& move) override {
        Animated.push_back(move);
        TViewerHost::AnimateMove(move);
    }
    void AnimateTakeBack(const TChessMove& move, int captured) override {
        TakenBack.push_back(move);
        Captured.push_back(captured);
        TViewerHost::AnimateTakeBack(move, captured);
    }

    QTemporaryDir Dir;
    TSettingsStore Store;
    TAppSettings AppSettings;
    QWidget Window;
    TDiagramBoard BoardModel;
    TCollectingReporter Messages;
    int Changes = 0;
    int Closed = 0;
    int Batches = 0;
    int BatchChecked = 0;
    std::vector<QString> Sounds;
    std::vector<TChessMove> Animated, TakenBack;
    std::vector<int> Captured;
};

}  // namespace vorlix
