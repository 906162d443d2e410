#pragma once
// "PGN Archive": the window of an opened PGN file. It lists the file's games
// (checkable, sortable), replays the chosen game on the main board move by
// move or automatically, keeps the move list window beside it and hands the
// checked games to the batch tool.
#include <QWidget>
#include <memory>

#include "batch/BatchSources.h"
#include "files/BoardMarks.h"
#include "files/PGNIndex.h"
#include "files/PGNPos.h"
#include "viewers/PgnViewerSettings.h"
#include "viewers/ui/ViewerHost.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSlider;
class QTimer;
class QToolButton;

namespace vorlix {

class TGameListModel;
class TGameListView;
class TMoveListWindow;
class TSettingsStore;

class TPgnViewer : public QWidget, public TArchiveViewer {
    Q_OBJECT
public:
    explicit TPgnViewer(TViewerHost& host);
    // Writes the column widths and the print settings back.
    ~TPgnViewer() override;

    // The archive viewer of the opening road.
    bool LoadArchive(const QString& fileName) override;
    void ShowArchive() override;
    void CloseArchive() override;
    bool ArchiveVisible() const override { return isVisible(); }
    void StopAutoReplay() override;

    int CheckedGameCount() const;
    // The list row of the next checked game at or after fromRow; -1 when none.
    int NextCheckedGame(int fromRow) const;
    // What the batch tool reads: the checked games in list order, from the game index.
    TPgnBatchSource BatchSource() const;
    // Copies the 64 squares and the position's marks to the main board; repaints unless told not to.
    void ShowPositionOnBoard(const TChessPosition& position, bool refresh);

    // What the move list window uses.
    TPGNPos& Chain() { return chain_; }
    const TPGNRec& LoadedGame() const { return game_; }
    TMoveListPrintSettings& PrintSettings() { return printSettings_; }
    TViewerHost& Host() { return host_; }
    void FillMoveList();
    void UpdateButtons();
    // Goes to a position of the loaded game, as a click in the move list does.
    void GoToPosition(int index);

    // The loaded game's row, -1 for none.
    int LoadedRow() const;
    const TPGNIndex& Games() const { return games_; }
    TGameListModel& Model() { return *model_; }

    TGameListView* lvwPGN() const { return FlvwPGN; }
    QToolButton* spbStart() const { return FspbStart; }
    QToolButton* spbFBack() const { return FspbFBack; }
    QToolButton* spbBack() const { return FspbBack; }
    QToolButton* spbForward() const { return FspbForward; }
    QToolButton* spbFForward() const { return FspbFForward; }
    QToolButton* spbEnd() const { return FspbEnd; }
    QToolButton* spbAutoMove() const { return FspbAutoMove; }
    QSlider* tbTimer() const { return FtbTimer; }
    QLabel* lblMove() const { return FlblMove; }
    QCheckBox* chkOnTop() const { return FchkOnTop; }
    QCheckBox* chkGameState() const { return FchkGameState; }
    QPushButton* btnAutoVorlix() const { return FbtnAutoVorlix; }
    QPushButton* btnExportGames() const { return FbtnExportGames; }
    QPushButton* btnCancel() const { return FbtnCancel; }
    QTimer* ReplayTimer() const { return replayTimer_; }
    QMenu* mnuPopup() const { return FmnuPopup; }
    QLineEdit* edtFilter() const { return FedtFilter; }
    QLabel* lblFilterCount() const { return FlblFilterCount; }
    // Applies the text of the filter field now, without waiting for typing to pause.
    void ApplyFilter();
    TMoveListWindow* MoveList() const { return moveList_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class TStep { Start, FastBack, Back, Forward, FastForward, End };

    void CreateControls();
    QWidget* CreateFilterPanel();
    QWidget* CreateNavigationPanel();
    QWidget* CreateButtonPanel();
    void ApplyStoredWidths();
    void PlaceFirstTime();
    void FillGameList();
    void SelectRow(int row);
    void CurrentRowChanged(int row);
    void SelectGame(int row);
    // Reads and replays the game of a row into the viewer's own chain, with its marks.
    bool LoadGame(int row);

    void Step(TStep step);
    void StepForwardOne(bool animate);
    void StepBackOne(bool animate);
    void AfterStep();
    void SetNavigationEnabled(bool enabled);

    void spbAutoMoveToggled(bool down);
    void PaceTimerTimeout();
    void tbTimerChange(int position);
    void btnAutoVorlixClick();
    void btnExportGamesClick();
    void chkOnTopClick(bool checked);
    void CloseViewer();

    TViewerHost& host_;
    TSettingsStore& store_;
    TPGNIndex games_;
    TPGNPos chain_;
    const TBoardMarks& MarksOfPosition(const TChessPosition& position) const;
    // The position's side to move, and its last move, check and glyph when the viewer shows them.
    void ShowPositionState(const TChessPosition& position);
    TPGNRec game_;  // the loaded game with its moves
    // Arrows and coloured squares from the comments, one entry per position.
    std::vector<TBoardMarks> gameMarks_;
    std::vector<std::string> gameGlyphs_;
    QString fileName_;
    TMoveListPrintSettings printSettings_;
    int showCount_ = 0;
    bool notify_ = false;  // the list's selection changes load games
    int loadedGame_ = -1;  // file-order index of the loaded game
    bool animating_ = false;

    TGameListModel* model_ = nullptr;
    TGameListView* FlvwPGN = nullptr;
    QToolButton *FspbStart = nullptr, *FspbFBack = nullptr, *FspbBack = nullptr, *FspbForward = nullptr,
                *FspbFForward = nullptr, *FspbEnd = nullptr, *FspbAutoMove = nullptr;
    QSlider* FtbTimer = nullptr;
    QLabel* statusLabel_ = nullptr;
    QLabel* FlblMove = nullptr;
    QCheckBox* FchkOnTop = nullptr;
    QCheckBox* FchkGameState = nullptr;
    QPushButton *FbtnHelp = nullptr, *FbtnAutoVorlix = nullptr, *FbtnCancel = nullptr;
    QPushButton* FbtnExportGames = nullptr;
    QMenu* FmnuPopup = nullptr;
    QLineEdit* FedtFilter = nullptr;
    QLabel* FlblFilterCount = nullptr;
    QTimer* filterTimer_ = nullptr;
    QTimer* replayTimer_ = nullptr;
    TMoveListWindow* moveList_ = nullptr;
};

}  // namespace vorlix
