#include "viewers/ui/PGNViewer.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "settings/Settings.h"
#include "batch/PositionPicker.h"
#include "board/ChessBoard.h"
#include "files/ErrorReporter.h"
#include "files/GameMarks.h"
#include "help/ui/Help.h"
#include "viewers/GameListModel.h"
#include "viewers/ReplayNavigation.h"
#include "viewers/ui/GameListView.h"
#include "viewers/ui/GameLoading.h"
#include "viewers/ui/MoveList.h"
#include "viewers/ui/NavigationIcons.h"
#include "viewers/ui/NumberColumn.h"
#include "viewers/ui/ViewerWindow.h"

namespace vorlix {

namespace {

const QString kCaption = "PGN Archive: ";
constexpr int kHelpTopic = 3010;
constexpr int kDefaultSpeed = 75;
constexpr int kDefaultWidths[kGameListColumns] = {24, 44, 120, 120, 120, 100, 76, 50, 44, 60, 60, 40};

QString ColumnValueName(int column) { return "PGNCol" + QString::number(column); }

QToolButton* FlatButton(const char* name, TNavIcon icon, const QString& hint, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setIcon(NavigationIcon(icon));
    button->setToolTip(hint);
    return button;
}

}  // namespace

TfrmPGN::TfrmPGN(TViewerHost& host)
    : QWidget(host.HostWindow(), host.HostWindow() ? Qt::Tool : Qt::Window),
      FHost(host),
      FStore(host.Settings().Store()),
      FChain(host.Reporter()) {
    setObjectName("frmPGN");
    setWindowTitle(kCaption);
    setMinimumSize(300, 200);
    resize(640, 280);
    FPrintSettings = LoadMoveListPrintSettings(FStore);
    CreateControls();
    ApplyStoredWidths();
    FMoveList = new TfrmMoveList(*this);
    UpdateButtons();
}

TfrmPGN::~TfrmPGN() {
    FTimer1->stop();
    for (int i = 0; i < kGameListColumns; ++i)
        FHost.Settings().SaveViewerColumn(ColumnValueName(i), FlvwPGN->horizontalHeader()->sectionSize(i));
    SaveMoveListPrintSettings(FStore, FPrintSettings);
    delete FMoveList;
}

void TfrmPGN::CreateControls() {
    FModel = new TGameListModel(this);
    FlvwPGN = new TGameListView(this);
    FlvwPGN->setObjectName("lvwPGN");
    FlvwPGN->setModel(FModel);
    FlvwPGN->horizontalHeader()->setSectionsMovable(false);
    FlvwPGN->horizontalHeader()->setSectionsClickable(true);
    FlvwPGN->horizontalHeader()->setStretchLastSection(false);
    connect(FlvwPGN->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        FModel->HeaderClicked(column);
        if (const int row = LoadedRow(); row >= 0) FlvwPGN->scrollTo(FModel->index(row, 0));
    });
    connect(FlvwPGN->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { CurrentRowChanged(current.isValid() ? current.row() : -1); });

    FmnuPopup = new QMenu(this);
    FmnuPopup->setObjectName("mnuPopup");
    FmnuPopup->addAction("&Select all Games", this, [this] { FModel->CheckAll(true); })->setObjectName("mnpSelAll");
    FmnuPopup->addAction("&Unselect all Games", this, [this] { FModel->CheckAll(false); })
        ->setObjectName("mnpSelNone");
    FmnuPopup->addAction("&Invert Selection", this, [this] { FModel->InvertChecks(); })->setObjectName("mnpSelInvert");
    FlvwPGN->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FlvwPGN, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { FmnuPopup->popup(FlvwPGN->viewport()->mapToGlobal(at)); });

    FTimer1 = new QTimer(this);
    FTimer1->setObjectName("Timer1");
    connect(FTimer1, &QTimer::timeout, this, &TfrmPGN::Timer1Timer);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(FlvwPGN, 1);
    layout->addWidget(CreateNavigationPanel());
    layout->addWidget(CreateButtonPanel());
}

QWidget* TfrmPGN::CreateNavigationPanel() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    FspbStart = FlatButton("spbStart", TNavIcon::Start, "Starting Position", panel);
    FspbFBack = FlatButton("spbFBack", TNavIcon::FastBack, "Fast Backward", panel);
    FspbBack = FlatButton("spbBack", TNavIcon::Back, "Previous", panel);
    FspbForward = FlatButton("spbForward", TNavIcon::Forward, "Next", panel);
    FspbFForward = FlatButton("spbFForward", TNavIcon::FastForward, "Fast Forward", panel);
    FspbEnd = FlatButton("spbEnd", TNavIcon::End, "Final Position", panel);
    const std::pair<QToolButton*, TStep> steps[] = {{FspbStart, TStep::Start},     {FspbFBack, TStep::FastBack},
                                                    {FspbBack, TStep::Back},       {FspbForward, TStep::Forward},
                                                    {FspbFForward, TStep::FastForward}, {FspbEnd, TStep::End}};
    for (const auto& [button, step] : steps) {
        row->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, step = step] { Step(step); });
    }
    FspbAutoMove = FlatButton("spbAutoMove", TNavIcon::Play, "", panel);
    FspbAutoMove->setCheckable(true);
    FspbAutoMove->setAutoRaise(false);
    connect(FspbAutoMove, &QToolButton::toggled, this, &TfrmPGN::spbAutoMoveToggled);
    row->addSpacing(8);
    row->addWidget(FspbAutoMove);
    FtbTimer = new QSlider(Qt::Horizontal, panel);
    FtbTimer->setObjectName("tbTimer");
    FtbTimer->setRange(0, 100);
    FtbTimer->setSingleStep(5);
    FtbTimer->setPageStep(10);
    FtbTimer->setValue(kDefaultSpeed);
    FtbTimer->setTickPosition(QSlider::TicksBelow);
    FtbTimer->setTickInterval(10);
    FtbTimer->setFixedWidth(110);
    connect(FtbTimer, &QSlider::valueChanged, this, &TfrmPGN::tbTimerChange);
    row->addWidget(FtbTimer);
    row->addSpacing(8);
    FLabel1 = new QLabel("Last Move:", panel);
    FLabel1->setObjectName("Label1");
    row->addWidget(FLabel1);
    FlblMove = new QLabel(panel);
    FlblMove->setObjectName("lblMove");
    QFont bold = FlblMove->font();
    bold.setBold(true);
    FlblMove->setFont(bold);
    FlblMove->setMinimumWidth(90);
    row->addWidget(FlblMove);
    row->addStretch(1);
    return panel;
}

QWidget* TfrmPGN::CreateButtonPanel() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    FchkOnTop = new QCheckBox("&Stay on Top", panel);
    FchkOnTop->setObjectName("chkOnTop");
    FchkOnTop->setChecked(true);
    connect(FchkOnTop, &QCheckBox::toggled, this, &TfrmPGN::chkOnTopClick);
    row->addWidget(FchkOnTop);
    row->addStretch(1);
    // Right-aligned, from the right: Close, Auto Vorlix, Help.
    FbtnHelp = new QPushButton("&Help", panel);
    FbtnHelp->setObjectName("btnHelp");
    connect(FbtnHelp, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpTopic); });
    FbtnAutoVorlix = new QPushButton("&Auto Vorlix", panel);
    FbtnAutoVorlix->setObjectName("btnAutoVorlix");
    connect(FbtnAutoVorlix, &QPushButton::clicked, this, &TfrmPGN::btnAutoVorlixClick);
    FbtnCancel = new QPushButton("&Close", panel);
    FbtnCancel->setObjectName("btnCancel");
    FbtnCancel->setShortcut(Qt::Key_Escape);
    connect(FbtnCancel, &QPushButton::clicked, this, &QWidget::close);
    row->addWidget(FbtnHelp);
    row->addWidget(FbtnAutoVorlix);
    row->addWidget(FbtnCancel);
    return panel;
}

void TfrmPGN::ApplyStoredWidths() {
    for (int i = 0; i < kGameListColumns; ++i)
        FlvwPGN->horizontalHeader()->resizeSection(i, FHost.Settings().LoadViewerColumn(ColumnValueName(i), kDefaultWidths[i]));
}

// ---- loading and showing

bool TfrmPGN::LoadArchive(const QString& fileName) {
    CloseViewer();
    FFileName = fileName;
    return LoadGamesWithProgress(FGames, fileName, FHost.Reporter(), FHost.HostWindow());
}

void TfrmPGN::PlaceFirstTime() {
    // The move list wants room beside the viewer as well.
    PlaceViewerBesideBoard(*this, FHost, FMoveList->frameGeometry().width());
}

void TfrmPGN::ShowArchive() {
    FShowCount = FShowCount >= 2000000 ? 1 : FShowCount + 1;
    if (FShowCount == 1) PlaceFirstTime();
    FTimer1->setInterval(ReplayInterval(FtbTimer->value()));
    FModel->ResetSortState();
    // The file's name as the user wrote it; the folder is not needed to tell it.
    setWindowTitle(kCaption + QFileInfo(FFileName).fileName());
    show();
    FillGameList();
    FHost.PlaySound("chirt.wav");
    FNotify = true;
    FlvwPGN->setFocus();
    SelectRow(0);
    FMoveList->ShowBeside();
    raise();
    activateWindow();
}

void TfrmPGN::FillGameList() {
    FModel->SetGames(&FGames);
    WidenToShowNumber(*FlvwPGN, gcNumber, FGames.Count());
    const std::array<bool, 12> sparse = SparseColumns(FGames);
    for (int i = 0; i < kGameListColumns; ++i) FlvwPGN->setColumnHidden(i, sparse[static_cast<size_t>(i)]);
}

void TfrmPGN::SelectRow(int row) {
    if (row < 0 || row >= FModel->rowCount()) return;
    const QModelIndex index = FModel->index(row, gcNumber);
    FlvwPGN->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    FlvwPGN->scrollTo(index);
    CurrentRowChanged(row);  // also when it was current already
}

void TfrmPGN::CurrentRowChanged(int row) {
    if (!FNotify || row < 0 || FAnimating) return;
    if (FModel->GameOfRow(row) != FLoadedGame) SelectGame(row);
}

void TfrmPGN::SelectGame(int row) {
    StopAutoReplay();
    FChain.Clear();
    FLoadedGame = FModel->GameOfRow(row);
    FlvwPGN->selectionModel()->select(FModel->index(row, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    LoadGame(row);
    if (FChain.First) ShowPositionOnBoard(*FChain.First, true);
    UpdateButtons();
    FillMoveList();
    if (FChain.First) FHost.DiagramChangedByViewer();
}

int TfrmPGN::LoadedRow() const { return FLoadedGame < 0 ? -1 : FModel->RowOfGame(FLoadedGame); }

int TfrmPGN::CheckedGameCount() const { return FModel->CheckedCount(); }
int TfrmPGN::NextCheckedGame(int fromRow) const { return FModel->NextChecked(fromRow); }

TPgnBatchSource TfrmPGN::BatchSource() const { return TPgnBatchSource(FGames, FModel->CheckedGames()); }

bool TfrmPGN::LoadGame(int row) {
    const int game = FModel->GameOfRow(row);
    FGameMarks.clear();
    if (!FGames.ReadGame(game, FGame, FHost.Reporter())) {
        FChain.Clear();
        return false;
    }
    FGameMarks = ReadGameMarks(FGame);
    return FChain.LoadGame(&FGame, game + 1);
}

// A position's marks: those of the viewer's game at that place of its chain.
const TBoardMarks& TfrmPGN::MarksOfPosition(const TChessPosition& position) const {
    static const TBoardMarks kNone;
    if (FGameMarks.empty()) return kNone;
    return BatchPositionMarks(FGameMarks, position);
}

void TfrmPGN::ShowPositionOnBoard(const TChessPosition& position, bool refresh) {
    TkxChessBrd& board = FHost.Board();
    for (int file = 0; file < 8; ++file)
        for (int rank = 0; rank < 8; ++rank) board.SetPiece(file, rank, position.Board[SquareIndex(file, rank)]);
    board.SetGameMarks(MarksOfPosition(position));
    if (refresh) board.Refresh();
}

// ---- steps

void TfrmPGN::UpdateButtons() {
    const TNavigationState state = NavigationState(FChain);
    FspbStart->setEnabled(state.Start);
    FspbFBack->setEnabled(state.FastBack);
    FspbBack->setEnabled(state.Back);
    FspbForward->setEnabled(state.Forward);
    FspbFForward->setEnabled(state.FastForward);
    FspbEnd->setEnabled(state.End);
    FlblMove->setText(QString::fromStdString(state.LastMove));
}

void TfrmPGN::SetNavigationEnabled(bool enabled) {
    for (QToolButton* b : {FspbStart, FspbFBack, FspbBack, FspbForward, FspbFForward, FspbEnd}) b->setEnabled(enabled);
}

void TfrmPGN::Step(TStep step) {
    if (!FChain.Current || FAnimating) return;
    const bool timerWasOn = FTimer1->isActive();
    FTimer1->stop();
    const bool animate = FHost.Board().Animate();
    switch (step) {
        case TStep::Forward: StepForwardOne(animate); break;
        case TStep::Back: StepBackOne(animate); break;
        case TStep::FastForward:
            if (FChain.StepsToEnd() >= kFastStep) FChain.Forward(kFastStep);
            ShowPositionOnBoard(*FChain.Current, true);
            break;
        case TStep::FastBack:
            if (FChain.CurrentIndex() >= kFastStep) FChain.Back(kFastStep);
            ShowPositionOnBoard(*FChain.Current, true);
            break;
        case TStep::Start:
            FChain.GoFirst();
            ShowPositionOnBoard(*FChain.Current, true);
            break;
        case TStep::End:
            StopAutoReplay();
            FChain.GoLast();
            ShowPositionOnBoard(*FChain.Current, true);
            break;
    }
    if (!FChain.Current) return;  // the window closed while a move was shown
    AfterStep();
    if (timerWasOn && step != TStep::End && FspbAutoMove->isChecked()) FTimer1->start();
}

void TfrmPGN::StepForwardOne(bool animate) {
    TChessPosition* left = FChain.Current;
    if (!FChain.GoNext()) return;
    if (!animate) {
        ShowPositionOnBoard(*FChain.Current, true);
        return;
    }
    const TChessMove move = FChain.Current->LastMove;
    SetNavigationEnabled(false);
    FAnimating = true;
    ShowPositionOnBoard(*left, false);
    FHost.AnimateMove(move);
    FAnimating = false;
}

void TfrmPGN::StepBackOne(bool animate) {
    TChessPosition* left = FChain.Current;
    if (!FChain.GoPrev()) return;
    if (!animate) {
        ShowPositionOnBoard(*FChain.Current, true);
        return;
    }
    const TChessMove move = left->LastMove;
    const int captured = FChain.Current->Board[SquareIndex(move.ToFile, move.ToRank)];
    SetNavigationEnabled(false);
    FAnimating = true;
    ShowPositionOnBoard(*left, false);
    FHost.AnimateTakeBack(move, captured);
    FAnimating = false;
}

void TfrmPGN::AfterStep() {
    // An animated step showed the position it left; the marks follow the one reached.
    if (FChain.Current) FHost.Board().SetGameMarks(MarksOfPosition(*FChain.Current));
    UpdateButtons();
    FMoveList->SelectCurrentCell();
    FHost.DiagramChangedByViewer();
}

void TfrmPGN::GoToPosition(int index) {
    if (!FChain.First || FAnimating) return;
    FChain.GoToPosition(index);
    if (!FChain.Current) FChain.GoLast();
    UpdateButtons();
    ShowPositionOnBoard(*FChain.Current, true);
    FHost.DiagramChangedByViewer();
}

void TfrmPGN::FillMoveList() { FMoveList->Fill(); }

// ---- automatic replay

void TfrmPGN::spbAutoMoveToggled(bool down) {
    if (down) FTimer1->start();
    else FTimer1->stop();
}

void TfrmPGN::Timer1Timer() {
    FTimer1->stop();
    Step(TStep::Forward);
    if (!FChain.Current || FChain.StepsToEnd() <= 0) FspbAutoMove->setChecked(false);
    else if (FspbAutoMove->isChecked()) FTimer1->start();
}

void TfrmPGN::tbTimerChange(int position) {
    const bool wasOn = FTimer1->isActive();
    FTimer1->stop();
    FTimer1->setInterval(ReplayInterval(position));
    if (wasOn) FTimer1->start();
}

void TfrmPGN::StopAutoReplay() { FspbAutoMove->setChecked(false); }

void TfrmPGN::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) StopAutoReplay();
    QWidget::changeEvent(event);
}

// ---- commands

void TfrmPGN::btnAutoVorlixClick() {
    if (FGames.Count() == 0) {
        FHost.Reporter().Report(TMsgKind::Information, "There are no PGN games in the archive...");
        return;
    }
    if (FModel->CheckedCount() == 0) {
        FHost.Reporter().Report(TMsgKind::Information,
                                "There are no PGN games selected for auto-capturing...\r\n"
                                "You can select games by clicking the boxes in the list.");
        return;
    }
    StopAutoReplay();
    // Crosses, dots and marks come back too, not only the pieces.
    TkxChessBrd& board = FHost.Board();
    const TBoardContents saved = board.Contents();
    TPgnBatchSource source = BatchSource();
    FHost.OpenPgnBatch(source);
    board.SetContents(saved);
    board.Refresh();
}

void TfrmPGN::chkOnTopClick(bool checked) { SetViewerStaysOnTop(*this, FHost.HostWindow(), checked); }

void TfrmPGN::closeEvent(QCloseEvent* event) {
    CloseViewer();
    FHost.ViewerClosed();
    QWidget::closeEvent(event);
}

void TfrmPGN::CloseArchive() {
    CloseViewer();
    hide();
    FHost.ViewerClosed();
}

void TfrmPGN::CloseViewer() {
    StopAutoReplay();
    FNotify = false;
    FLoadedGame = -1;
    FChain.Clear();
    FModel->Clear();
    FGames.Clear();
    UpdateButtons();
    setWindowTitle(kCaption);
    FMoveList->Fill();
    FMoveList->close();
}

}  // namespace vorlix
