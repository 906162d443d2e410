#include "viewers/ui/PgnViewer.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "batch/GameBookWriter.h"
#include "batch/PositionPicker.h"
#include "board/BoardStyle.h"
#include "board/DiagramBoard.h"
#include "files/ErrorReporter.h"
#include "files/GameGlyphs.h"
#include "files/GameMarks.h"
#include "files/GameReplay.h"
#include "help/ui/Help.h"
#include "settings/Settings.h"
#include "viewers/GameListModel.h"
#include "viewers/PgnViewerSettings.h"
#include "viewers/ReplayNavigation.h"
#include "viewers/ui/GameBookDialog.h"
#include "viewers/ui/GameListView.h"
#include "viewers/ui/GameLoading.h"
#include "viewers/ui/MoveListWindow.h"
#include "viewers/ui/NavigationIcons.h"
#include "viewers/ui/NumberColumn.h"
#include "viewers/ui/ViewerWindow.h"

namespace vorlix {

namespace {

const QString kCaption = "PGN Archive: ";
constexpr int kHelpTopic = 3010;
constexpr int kDefaultSpeed = 75;
// Typing pauses this long before the list is filtered, so a fast typist on a
// huge file does not wait for each letter.
constexpr int kFilterDelayMs = 150;
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

TPgnViewer::TPgnViewer(TViewerHost& host)
    : QWidget(host.HostWindow(), host.HostWindow() ? Qt::Tool : Qt::Window),
      host_(host),
      store_(host.Settings().Store()),
      chain_(host.Reporter()) {
    setObjectName("frmPGN");
    setWindowTitle(kCaption);
    setMinimumSize(300, 200);
    resize(640, 280);
    printSettings_ = LoadMoveListPrintSettings(store_);
    CreateControls();
    ApplyStoredWidths();
    moveList_ = new TMoveListWindow(*this);
    UpdateButtons();
}

TPgnViewer::~TPgnViewer() {
    replayTimer_->stop();
    for (int i = 0; i < kGameListColumns; ++i)
        host_.Settings().SaveViewerColumn(ColumnValueName(i), FlvwPGN->horizontalHeader()->sectionSize(i));
    SaveMoveListPrintSettings(store_, printSettings_);
    delete moveList_;
}

void TPgnViewer::CreateControls() {
    model_ = new TGameListModel(this);
    FlvwPGN = new TGameListView(this);
    FlvwPGN->setObjectName("lvwPGN");
    FlvwPGN->setModel(model_);
    FlvwPGN->horizontalHeader()->setSectionsMovable(false);
    FlvwPGN->horizontalHeader()->setSectionsClickable(true);
    FlvwPGN->horizontalHeader()->setStretchLastSection(false);
    connect(FlvwPGN->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        model_->HeaderClicked(column);
        if (const int row = LoadedRow(); row >= 0) FlvwPGN->scrollTo(model_->index(row, 0));
    });
    connect(FlvwPGN->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { CurrentRowChanged(current.isValid() ? current.row() : -1); });

    FmnuPopup = new QMenu(this);
    FmnuPopup->setObjectName("mnuPopup");
    FmnuPopup->addAction("&Select all Games", this, [this] { model_->CheckAll(true); })->setObjectName("mnpSelAll");
    FmnuPopup->addAction("&Unselect all Games", this, [this] { model_->CheckAll(false); })->setObjectName("mnpSelNone");
    FmnuPopup->addAction("&Invert Selection", this, [this] { model_->InvertChecks(); })->setObjectName("mnpSelInvert");
    FlvwPGN->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FlvwPGN, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { FmnuPopup->popup(FlvwPGN->viewport()->mapToGlobal(at)); });

    replayTimer_ = new QTimer(this);
    replayTimer_->setObjectName("Timer1");
    connect(replayTimer_, &QTimer::timeout, this, &TPgnViewer::PaceTimerTimeout);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(CreateFilterPanel());
    layout->addWidget(FlvwPGN, 1);
    layout->addWidget(CreateNavigationPanel());
    layout->addWidget(CreateButtonPanel());
}

QWidget* TPgnViewer::CreateFilterPanel() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    FedtFilter = new QLineEdit(panel);
    FedtFilter->setObjectName("edtFilter");
    FedtFilter->setClearButtonEnabled(true);
    FedtFilter->setPlaceholderText("Search games, e.g. white:Name eco:B90-B99 date:1990-1999");
    FedtFilter->setToolTip(
        "Keeps the games whose White, Black, Event, Site, Date, Round, Result or ECO contain every word.\n"
        "white: black: event: site: date: round: result: eco: search one tag only;\n"
        "eco:B90-B99 and date:1990-1999 keep a range.");
    FlblFilterCount = new QLabel(panel);
    FlblFilterCount->setObjectName("lblFilterCount");
    row->addWidget(FedtFilter, 1);
    row->addWidget(FlblFilterCount);
    filterTimer_ = new QTimer(this);
    filterTimer_->setSingleShot(true);
    filterTimer_->setInterval(kFilterDelayMs);
    connect(filterTimer_, &QTimer::timeout, this, &TPgnViewer::ApplyFilter);
    connect(FedtFilter, &QLineEdit::textChanged, filterTimer_, qOverload<>(&QTimer::start));
    connect(FedtFilter, &QLineEdit::returnPressed, this, &TPgnViewer::ApplyFilter);
    return panel;
}

void TPgnViewer::ApplyFilter() {
    filterTimer_->stop();
    const bool notify = notify_;
    // Filtering must not load another game: the board keeps the game shown.
    notify_ = false;
    model_->SetFilter(ParseGameFilter(FedtFilter->text().toStdString()));
    if (const int row = LoadedRow(); row >= 0) {
        const QModelIndex index = model_->index(row, gcNumber);
        FlvwPGN->selectionModel()->setCurrentIndex(index,
                                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        FlvwPGN->scrollTo(index);
    }
    notify_ = notify;
    FlblFilterCount->setText(model_->ShownCount() == games_.Count()
                                 ? QString()
                                 : QString("%1 of %2").arg(model_->ShownCount()).arg(games_.Count()));
}

QWidget* TPgnViewer::CreateNavigationPanel() {
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
    const std::pair<QToolButton*, TStep> steps[] = {
        {FspbStart, TStep::Start},     {FspbFBack, TStep::FastBack},       {FspbBack, TStep::Back},
        {FspbForward, TStep::Forward}, {FspbFForward, TStep::FastForward}, {FspbEnd, TStep::End}};
    for (const auto& [button, step] : steps) {
        row->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, step = step] { Step(step); });
    }
    FspbAutoMove = FlatButton("spbAutoMove", TNavIcon::Play, "", panel);
    FspbAutoMove->setCheckable(true);
    FspbAutoMove->setAutoRaise(false);
    connect(FspbAutoMove, &QToolButton::toggled, this, &TPgnViewer::spbAutoMoveToggled);
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
    connect(FtbTimer, &QSlider::valueChanged, this, &TPgnViewer::tbTimerChange);
    row->addWidget(FtbTimer);
    row->addSpacing(8);
    statusLabel_ = new QLabel("Last Move:", panel);
    statusLabel_->setObjectName("Label1");
    row->addWidget(statusLabel_);
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

QWidget* TPgnViewer::CreateButtonPanel() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    FchkOnTop = new QCheckBox("&Stay on Top", panel);
    FchkOnTop->setObjectName("chkOnTop");
    FchkOnTop->setChecked(true);
    connect(FchkOnTop, &QCheckBox::toggled, this, &TPgnViewer::chkOnTopClick);
    row->addWidget(FchkOnTop);
    FchkGameState = new QCheckBox("Last &Move and Check", panel);
    FchkGameState->setObjectName("chkGameState");
    FchkGameState->setToolTip("Show the last move, the king in check and the move's !, ?, !? ... on the board");
    FchkGameState->setChecked(LoadShowGameState(store_));
    connect(FchkGameState, &QCheckBox::toggled, this, [this](bool on) {
        SaveShowGameState(store_, on);
        if (!chain_.Current) return;
        ShowPositionState(*chain_.Current);
        host_.Board().Refresh();
    });
    row->addWidget(FchkGameState);
    row->addStretch(1);
    // Right-aligned, from the right: Close, Auto Vorlix, Export Games, Help.
    FbtnHelp = new QPushButton("&Help", panel);
    FbtnHelp->setObjectName("btnHelp");
    connect(FbtnHelp, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpTopic); });
    FbtnAutoVorlix = new QPushButton("&Auto Vorlix", panel);
    FbtnAutoVorlix->setObjectName("btnAutoVorlix");
    connect(FbtnAutoVorlix, &QPushButton::clicked, this, &TPgnViewer::btnAutoVorlixClick);
    FbtnExportGames = new QPushButton("E&xport Games...", panel);
    FbtnExportGames->setObjectName("btnExportGames");
    connect(FbtnExportGames, &QPushButton::clicked, this, &TPgnViewer::btnExportGamesClick);
    FbtnCancel = new QPushButton("&Close", panel);
    FbtnCancel->setObjectName("btnCancel");
    FbtnCancel->setShortcut(Qt::Key_Escape);
    connect(FbtnCancel, &QPushButton::clicked, this, &QWidget::close);
    row->addWidget(FbtnHelp);
    row->addWidget(FbtnExportGames);
    row->addWidget(FbtnAutoVorlix);
    row->addWidget(FbtnCancel);
    return panel;
}

void TPgnViewer::ApplyStoredWidths() {
    for (int i = 0; i < kGameListColumns; ++i)
        FlvwPGN->horizontalHeader()->resizeSection(
            i, host_.Settings().LoadViewerColumn(ColumnValueName(i), kDefaultWidths[i]));
}

// ---- loading and showing

bool TPgnViewer::LoadArchive(const QString& fileName) {
    CloseViewer();
    fileName_ = fileName;
    return LoadGamesWithProgress(games_, fileName, host_.Reporter(), host_.HostWindow());
}

void TPgnViewer::PlaceFirstTime() {
    // The move list wants room beside the viewer as well.
    PlaceViewerBesideBoard(*this, host_, moveList_->frameGeometry().width());
}

void TPgnViewer::ShowArchive() {
    showCount_ = showCount_ >= 2000000 ? 1 : showCount_ + 1;
    if (showCount_ == 1) PlaceFirstTime();
    replayTimer_->setInterval(ReplayInterval(FtbTimer->value()));
    model_->ResetSortState();
    // The file's name as the user wrote it; the folder is not needed to tell it.
    setWindowTitle(kCaption + QFileInfo(fileName_).fileName());
    show();
    FillGameList();
    host_.PlaySound("chirt.wav");
    notify_ = true;
    FlvwPGN->setFocus();
    SelectRow(0);
    moveList_->ShowBeside();
    raise();
    activateWindow();
}

void TPgnViewer::FillGameList() {
    model_->SetGames(&games_);
    // A search typed for the file before need not fit this one.
    {
        const QSignalBlocker quiet(FedtFilter);
        FedtFilter->clear();
    }
    filterTimer_->stop();
    FlblFilterCount->clear();
    WidenToShowNumber(*FlvwPGN, gcNumber, games_.Count());
    const std::array<bool, 12> sparse = SparseColumns(games_);
    for (int i = 0; i < kGameListColumns; ++i) FlvwPGN->setColumnHidden(i, sparse[static_cast<size_t>(i)]);
}

void TPgnViewer::SelectRow(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    const QModelIndex index = model_->index(row, gcNumber);
    FlvwPGN->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    FlvwPGN->scrollTo(index);
    CurrentRowChanged(row);  // also when it was current already
}

void TPgnViewer::CurrentRowChanged(int row) {
    if (!notify_ || row < 0 || animating_) return;
    if (model_->GameOfRow(row) != loadedGame_) SelectGame(row);
}

void TPgnViewer::SelectGame(int row) {
    StopAutoReplay();
    chain_.Clear();
    loadedGame_ = model_->GameOfRow(row);
    FlvwPGN->selectionModel()->select(model_->index(row, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    LoadGame(row);
    if (chain_.First) ShowPositionOnBoard(*chain_.First, true);
    UpdateButtons();
    FillMoveList();
    if (chain_.First) host_.DiagramChangedByViewer();
}

int TPgnViewer::LoadedRow() const { return loadedGame_ < 0 ? -1 : model_->RowOfGame(loadedGame_); }

int TPgnViewer::CheckedGameCount() const { return model_->CheckedCount(); }
int TPgnViewer::NextCheckedGame(int fromRow) const { return model_->NextChecked(fromRow); }

TPgnBatchSource TPgnViewer::BatchSource() const { return TPgnBatchSource(games_, model_->CheckedGames()); }

bool TPgnViewer::LoadGame(int row) {
    const int game = model_->GameOfRow(row);
    gameMarks_.clear();
    gameGlyphs_.clear();
    if (!games_.ReadGame(game, game_, host_.Reporter())) {
        chain_.Clear();
        return false;
    }
    gameMarks_ = ReadGameMarks(game_);
    gameGlyphs_ = ReadGameGlyphs(game_);
    return chain_.LoadGame(&game_, game + 1);
}

// A position's marks: those of the viewer's game at that place of its chain.
const TBoardMarks& TPgnViewer::MarksOfPosition(const TChessPosition& position) const {
    static const TBoardMarks kNone;
    if (gameMarks_.empty()) return kNone;
    return BatchPositionMarks(gameMarks_, position);
}

void TPgnViewer::ShowPositionOnBoard(const TChessPosition& position, bool refresh) {
    TDiagramBoard& board = host_.Board();
    for (int file = 0; file < 8; ++file)
        for (int rank = 0; rank < 8; ++rank) board.SetPiece(file, rank, position.Board[SquareIndex(file, rank)]);
    board.SetGameMarks(MarksOfPosition(position));
    ShowPositionState(position);
    if (refresh) board.Refresh();
}

void TPgnViewer::ShowPositionState(const TChessPosition& position) {
    TDiagramBoard& board = host_.Board();
    board.SetSideToMove(SideOfPosition(position));
    const bool shown = FchkGameState && FchkGameState->isChecked();
    board.SetMoveState(shown ? MoveStateOfPosition(position, TLastMoveMark::Squares, true,
                                                   GlyphAt(gameGlyphs_, PositionIndex(position)))
                             : TMoveState());
}

// ---- steps

void TPgnViewer::UpdateButtons() {
    const TNavigationState state = NavigationState(chain_, printSettings_.Notation);
    FspbStart->setEnabled(state.Start);
    FspbFBack->setEnabled(state.FastBack);
    FspbBack->setEnabled(state.Back);
    FspbForward->setEnabled(state.Forward);
    FspbFForward->setEnabled(state.FastForward);
    FspbEnd->setEnabled(state.End);
    FlblMove->setText(QString::fromStdString(state.LastMove));
}

void TPgnViewer::SetNavigationEnabled(bool enabled) {
    for (QToolButton* b : {FspbStart, FspbFBack, FspbBack, FspbForward, FspbFForward, FspbEnd}) b->setEnabled(enabled);
}

void TPgnViewer::Step(TStep step) {
    if (!chain_.Current || animating_) return;
    const bool timerWasOn = replayTimer_->isActive();
    replayTimer_->stop();
    const bool animate = host_.Board().Animate();
    switch (step) {
        case TStep::Forward: StepForwardOne(animate); break;
        case TStep::Back: StepBackOne(animate); break;
        case TStep::FastForward:
            if (chain_.StepsToEnd() >= kFastStep) chain_.Forward(kFastStep);
            ShowPositionOnBoard(*chain_.Current, true);
            break;
        case TStep::FastBack:
            if (chain_.CurrentIndex() >= kFastStep) chain_.Back(kFastStep);
            ShowPositionOnBoard(*chain_.Current, true);
            break;
        case TStep::Start:
            chain_.GoFirst();
            ShowPositionOnBoard(*chain_.Current, true);
            break;
        case TStep::End:
            StopAutoReplay();
            chain_.GoLast();
            ShowPositionOnBoard(*chain_.Current, true);
            break;
    }
    if (!chain_.Current) return;  // the window closed while a move was shown
    AfterStep();
    if (timerWasOn && step != TStep::End && FspbAutoMove->isChecked()) replayTimer_->start();
}

void TPgnViewer::StepForwardOne(bool animate) {
    TChessPosition* left = chain_.Current;
    if (!chain_.GoNext()) return;
    if (!animate) {
        ShowPositionOnBoard(*chain_.Current, true);
        return;
    }
    const TChessMove move = chain_.Current->LastMove;
    SetNavigationEnabled(false);
    animating_ = true;
    ShowPositionOnBoard(*left, false);
    host_.AnimateMove(move);
    animating_ = false;
}

void TPgnViewer::StepBackOne(bool animate) {
    TChessPosition* left = chain_.Current;
    if (!chain_.GoPrev()) return;
    if (!animate) {
        ShowPositionOnBoard(*chain_.Current, true);
        return;
    }
    const TChessMove move = left->LastMove;
    const int captured = chain_.Current->Board[SquareIndex(move.ToFile, move.ToRank)];
    SetNavigationEnabled(false);
    animating_ = true;
    ShowPositionOnBoard(*left, false);
    host_.AnimateTakeBack(move, captured);
    animating_ = false;
}

void TPgnViewer::AfterStep() {
    // An animated step showed the position it left; the marks follow the one reached.
    if (chain_.Current) {
        host_.Board().SetGameMarks(MarksOfPosition(*chain_.Current));
        ShowPositionState(*chain_.Current);
    }
    UpdateButtons();
    moveList_->SelectCurrentCell();
    host_.DiagramChangedByViewer();
}

void TPgnViewer::GoToPosition(int index) {
    if (!chain_.First || animating_) return;
    chain_.GoToPosition(index);
    if (!chain_.Current) chain_.GoLast();
    UpdateButtons();
    ShowPositionOnBoard(*chain_.Current, true);
    host_.DiagramChangedByViewer();
}

void TPgnViewer::FillMoveList() { moveList_->Fill(); }

// ---- automatic replay

void TPgnViewer::spbAutoMoveToggled(bool down) {
    if (down)
        replayTimer_->start();
    else
        replayTimer_->stop();
}

void TPgnViewer::PaceTimerTimeout() {
    replayTimer_->stop();
    Step(TStep::Forward);
    if (!chain_.Current || chain_.StepsToEnd() <= 0)
        FspbAutoMove->setChecked(false);
    else if (FspbAutoMove->isChecked())
        replayTimer_->start();
}

void TPgnViewer::tbTimerChange(int position) {
    const bool wasOn = replayTimer_->isActive();
    replayTimer_->stop();
    replayTimer_->setInterval(ReplayInterval(position));
    if (wasOn) replayTimer_->start();
}

void TPgnViewer::StopAutoReplay() { FspbAutoMove->setChecked(false); }

void TPgnViewer::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) StopAutoReplay();
    QWidget::changeEvent(event);
}

// ---- commands

// The ticked games as a game book (PDF or HTML).
void TPgnViewer::btnExportGamesClick() {
    if (model_->CheckedCount() == 0) {
        host_.Reporter().Report(TMsgKind::Information,
                                "There are no PGN games selected for export...\r\n"
                                "You can select games by clicking the boxes in the list.");
        return;
    }
    StopAutoReplay();
    const QFileInfo pgn(fileName_);
    TGameBookDialog dialog(pgn.dir().filePath(pgn.completeBaseName() + ".pdf"), this);
    if (dialog.exec() != QDialog::Accepted || dialog.FileName().isEmpty()) return;
    TBookOptions options = dialog.Options();
    // The book's diagrams take the editor's look (colours, borders, pieces), drawn from White's side.
    TBoardStyle look = ReadBoardStyle(host_.Board());
    look.View = vwWhiteUnder;
    options.Look = [look, pieces = host_.Board().PieceSet()](TDiagramBoard& board) {
        ApplyBoardStyle(board, look);
        board.SetPieceSet(pieces);
    };
    std::vector<TBookGame> books;
    TPGNRec game;
    for (const int i : model_->CheckedGames()) {
        if (!games_.ReadGame(i, game, host_.Reporter())) return;
        books.push_back(BuildBookGame(game, options));
        if (!books.back().Error.empty())
            host_.Reporter().Report(TMsgKind::Warning, GameMessage(i + 1, books.back().Error) +
                                                           " The book shows the game up to that move.");
    }
    std::string error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = WriteGameBook(books, options, dialog.FileName(), pgn.completeBaseName(), error);
    QApplication::restoreOverrideCursor();
    if (!written) host_.Reporter().Report(TMsgKind::Error, error);
}

void TPgnViewer::btnAutoVorlixClick() {
    if (games_.Count() == 0) {
        host_.Reporter().Report(TMsgKind::Information, "There are no PGN games in the archive...");
        return;
    }
    if (model_->CheckedCount() == 0) {
        host_.Reporter().Report(TMsgKind::Information,
                                "There are no PGN games selected for auto-capturing...\r\n"
                                "You can select games by clicking the boxes in the list.");
        return;
    }
    StopAutoReplay();
    // Crosses, dots and marks come back too, not only the pieces.
    TDiagramBoard& board = host_.Board();
    const TBoardContents saved = board.Contents();
    TPgnBatchSource source = BatchSource();
    host_.OpenPgnBatch(source);
    board.SetContents(saved);
    board.Refresh();
}

void TPgnViewer::chkOnTopClick(bool checked) { SetViewerStaysOnTop(*this, host_.HostWindow(), checked); }

void TPgnViewer::closeEvent(QCloseEvent* event) {
    CloseViewer();
    host_.ViewerClosed();
    QWidget::closeEvent(event);
}

void TPgnViewer::CloseArchive() {
    CloseViewer();
    hide();
    host_.ViewerClosed();
}

void TPgnViewer::CloseViewer() {
    StopAutoReplay();
    filterTimer_->stop();
    notify_ = false;
    loadedGame_ = -1;
    chain_.Clear();
    model_->Clear();
    games_.Clear();
    UpdateButtons();
    setWindowTitle(kCaption);
    moveList_->Fill();
    moveList_->close();
}

}  // namespace vorlix
