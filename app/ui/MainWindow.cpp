#include "app/ui/MainWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Clipboard.h"
#include "app/RunFolder.h"
#include "app/ui/BoardEditor.h"
#include "app/ui/KeyLockState.h"
#include "app/ui/PrintCommands.h"
#include "app/ui/TipForm.h"
#include "batch/ui/ImageFileDialog.h"
#include "board/DiagramFile.h"
#include "board/Theme.h"
#include "board/UndoList.h"
#include "board/VectorPieces.h"
#include "board/ui/BoardControl.h"
#include "common/ui/SoundPlayer.h"
#include "help/ui/Help.h"
#include "settings/Settings.h"
#include "viewers/ui/GameLoading.h"

static void InitEditorResources() { Q_INIT_RESOURCE(EditorIcons); }

namespace vorlix {
namespace {

constexpr int kToolbarHeight = 32;
constexpr int kPiecesBarHeight = 50;
constexpr int kButtonInterval = 100;
constexpr int kLockPanelWidth = 40;
constexpr int kLastPanelWidth = 20;

}  // namespace

TMainWindow::TMainWindow(TAppSettings& settings, const QString& dataFolder, const QStringList& arguments)
    : QMainWindow(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      settings_(settings),
      dataFolder_(dataFolder),
      arguments_(arguments) {
    InitEditorResources();
    setObjectName("frmQuenlix");
    setWindowIcon(QIcon(":/editor/icons/app.svg"));
    setWindowTitle(kAppTitle);
    setMinimumSize(kMinWindowWidth, kMinWindowHeight);
    diagram_.Board.SetErrorReporter(&reporter_);
    diagram_.Board.SetAnimationSpeed(50);
    diagram_.Board.SetCoordenateBackColor(clWhite);
    // The undo states go into a folder of this run alone, removed at exit.
    undoFolder_ = std::make_unique<TRunFolder>(QDir::tempPath());
    undoList_ = std::make_unique<TUndoList>(undoFolder_->Path());
    imageFileDialog_ = new TImageFileDialog(this);
    imageFileDialog_->setObjectName("KXSaveDialog1");
    CreateLayout();
    CreateStatusBar();
    CreateMenus();
    CreateCommandsToolbar();
    CreatePiecesToolbar();
    ConnectBoard();
    clipboard_ = std::make_unique<TDiagramClipboard>(*QGuiApplication::clipboard(), reporter_);
    boardEditor_ = new TBoardEditor(*this, settings_, *boardView_, pieceButtons_);
    tipForm_ = new TTipForm(settings_.TipIndex, settings_.ShowTips, this);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TMainWindow::UpdateCommandStates);
    ConnectMenuHints();
    settings_.LoadRecentFiles();
    CreateViewers();
    printCommands_ = new TPrintCommands(*this);
    FtmrButtonsEnable = new QTimer(this);
    FtmrButtonsEnable->setInterval(kButtonInterval);
    connect(FtmrButtonsEnable, &QTimer::timeout, this, &TMainWindow::tmrButtonsEnableTimer);
    FtmrButtonsEnable->start();
}

TMainWindow::~TMainWindow() {
    DestroyViewers();
    diagram_.Board.OnFocusChange = nullptr;
    diagram_.Board.OnPieceStyleChange = nullptr;
}

void TMainWindow::CreateLayout() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* bevel = new QFrame(central);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    column->addWidget(bevel);

    FpnlToolbar = new QWidget(central);
    FpnlToolbar->setObjectName("pnlToolbar");
    FpnlToolbar->setFixedHeight(kToolbarHeight);
    column->addWidget(FpnlToolbar);
    FpnlFakeCoolBar = new QWidget(central);
    FpnlFakeCoolBar->setObjectName("pnlFakeCoolBar");
    FpnlFakeCoolBar->setFixedHeight(kPiecesBarHeight);
    column->addWidget(FpnlFakeCoolBar);

    FscbMainArea = new QScrollArea(central);
    FscbMainArea->setObjectName("scbMainArea");
    FscbMainArea->setFrameShape(QFrame::NoFrame);
    FscbMainArea->setAlignment(Qt::AlignCenter);  // keeps the board panel centred, clamped at 0
    QPalette workspace = FscbMainArea->palette();
    workspace.setColor(QPalette::Window, ColorToQColor(clAppWorkSpace));
    FscbMainArea->setPalette(workspace);
    FscbMainArea->setBackgroundRole(QPalette::Window);
    FpnlBoard = new QWidget;
    FpnlBoard->setObjectName("pnlBoard");
    boardView_ = new TBoardControl(diagram_.Board, FpnlBoard);
    boardView_->setObjectName("kxChessBrd1");
    boardView_->hide();  // shown once the default diagram is loaded
    FpnlBoard->setFixedSize(boardView_->size());
    FscbMainArea->setWidget(FpnlBoard);
    column->addWidget(FscbMainArea, 1);
    setCentralWidget(central);
    // The board panel always takes the board's size.
    connect(boardView_, &TBoardControl::BoardResized, this, [this](QSize size) { FpnlBoard->setFixedSize(size); });
    connect(boardView_, &TBoardControl::MouseMoved, this, [this] { statusPanels_[0]->setText(kAppTitle); });
}

void TMainWindow::CreateStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 4; ++i) {
        statusPanels_[i] = new QLabel(bar);
        statusPanels_[i]->setObjectName(QString("StatusPanel%1").arg(i));
    }
    statusPanels_[0]->setText(kAppTitle);
    statusPanels_[0]->setIndent(2);
    bar->addWidget(statusPanels_[0], 1);
    for (int i = 1; i < 4; ++i) {
        statusPanels_[i]->setAlignment(Qt::AlignCenter);
        statusPanels_[i]->setFixedWidth(i == 3 ? kLastPanelWidth : kLockPanelWidth);
        if (i < 3) statusPanels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addPermanentWidget(statusPanels_[i]);
    }
    setStatusBar(bar);
}

void TMainWindow::ConnectBoard() {
    diagram_.Board.OnFocusChange = [this](TDiagramBoard&) { MarkModified(); };
    diagram_.Board.OnPieceStyleChange = [this](TDiagramBoard&) { DrawPieceButtons(); };
}

void TMainWindow::ConnectMenuHints() {
    auto showHint = [this](const QString& hint) { statusPanels_[0]->setText(hint.isEmpty() ? kAppTitle : hint); };
    // Menus are windows of their own: the board's pop-up menu would keep its
    // hints to itself. Every highlighted item (submenus report to their top
    // menu) shows its hint; the hint goes when the menu closes.
    QList<QMenu*> menus{boardEditor_->popBoard()};
    for (QAction* title : menuBar()->actions())
        if (title->menu()) menus << title->menu();
    for (QMenu* menu : menus) {
        connect(menu, &QMenu::hovered, this, [showHint](QAction* item) { showHint(item->statusTip()); });
        connect(menu, &QMenu::aboutToHide, this, [showHint] { showHint({}); });
    }
}

QString TMainWindow::StatusText() const { return statusPanels_[0]->text(); }

bool TMainWindow::event(QEvent* event) {
    // Hints of menu items and buttons go to the first status panel; leaving
    // them brings the application title back.
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        statusPanels_[0]->setText(tip.isEmpty() ? kAppTitle : tip);
        return true;
    }
    return QMainWindow::event(event);
}

void TMainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    FirstShow();
}

void TMainWindow::FirstShow() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TWindowBounds& b = settings_.Bounds;
    resize(b.Width, b.Height);
    move(b.Left, b.Top);
    imageFileDialog_->SetInitialDir(settings_.SavePath);
    FpnlToolbar->setVisible(settings_.ShowTool);
    FpnlFakeCoolBar->setVisible(settings_.ShowCool);
    setWindowTitle(kAppTitle);
    LoadDefaultDiagram();
    currentFileName_.clear();
    diagramModified_ = false;
    DrawPieceButtons();
    diagram_.Board.SetAnimate(settings_.Animate);
    diagram_.Board.SetAnimationSpeed(settings_.AnimationSpeed);
    diagram_.Board.SetShowSideToMove(settings_.ShowSideToMove);
    boardView_->RenderNow();
    boardView_->show();
    saveBounds_ = true;
    Button("spbSaveImg")->setEnabled(true);
    QApplication::restoreOverrideCursor();
    QMetaObject::invokeMethod(this, &TMainWindow::StartupMessage, Qt::QueuedConnection);
}

void TMainWindow::ResetHeaderFooter() {
    for (THeaderFooterInfo* record : {&diagram_.Header, &diagram_.Footer}) {
        record->Enabled = false;
        record->Text.clear();
        record->Alignment = taLeftJustify;
        record->Font = TCFont{clBlack, "MS Sans Serif", 12, fsBold};
    }
}

void TMainWindow::LoadDefaultDiagram() {
    ResetHeaderFooter();
    const QString file = dataFolder_ + "default.vxd";
    // A missing default diagram is not worth a message; a damaged one is reported by the reader.
    if (!QFile::exists(file) || !LoadDiagramFile(file, diagram_, reporter_)) {
        diagram_.Board.ResetSettings();
        ResetHeaderFooter();
    }
    ApplyChosenTheme();
}

void TMainWindow::ApplyChosenTheme() {
    // A new diagram starts in the theme last chosen in the board settings.
    diagram_.Board.SetPieceSet(nullptr);
    diagram_.Board.SetMoveMarkColor(std::nullopt);
    if (settings_.Theme.isEmpty()) return;
    TTheme theme;
    std::shared_ptr<const TVectorPieces> pieces;
    QString error;
    if (!LoadNamedTheme(settings_.Theme, theme, pieces, error)) {
        reporter_.Report(TMsgKind::Error, error.toStdString());
        return;
    }
    ApplyTheme(theme, diagram_.Board);
    if (pieces) diagram_.Board.SetPieceSet(pieces);
}

void TMainWindow::StartupMessage() {
    // The file-type questions come once the window is on the screen, complete,
    // so they have something to stand on; from the event loop, so that a quit
    // signal ends the program while they wait.
    CheckFileAssociations();
    if (quitting_) return;
    // A file that cannot be opened (reported by the reader) leaves the untitled start.
    UpdateCaption();
    RestartHistory();
    OfferRecoveredDiagram();
    if (quitting_) return;
    if (!arguments_.isEmpty())
        OpenChessFile(arguments_.first());
    else if (settings_.ShowTips)
        tipForm_->show();
    OfferRecoveredPositions();
}

QString TMainWindow::RecoveryFile() const { return settings_.SettingsFolder() + "recovered.vxd"; }
QString TMainWindow::EpdRecoveryFile() const { return settings_.SettingsFolder() + "recovered.epd"; }

void TMainWindow::QuitOnSignal() {
    if (quitting_) return;  // a second signal while the first is handled
    quitting_ = true;
    CancelGameLoading();  // the rest of a large file is not worth waiting for
    if (diagramModified_) {
        try {
            QDir().mkpath(settings_.SettingsFolder());
            SaveDiagramFile(diagram_, RecoveryFile(), kAppVersion);
        } catch (const std::exception& error) {
            // Nobody may be there to read it, but it is all that can be done.
            qWarning("%s: %s", qPrintable(RecoveryFile()), error.what());
        }
    }
    if (epdViewer_) epdViewer_->KeepUnsavedEdits(EpdRecoveryFile());
    askBeforeClosing_ = false;
    close();
}

void TMainWindow::OfferRecoveredDiagram() {
    const QString file = RecoveryFile();
    if (!QFileInfo::exists(file)) return;
    const bool wanted = SoundMessageDlg(
                            "Chess Vorlix was ended while the diagram had unsaved changes; they were kept.\n\n"
                            "Open the recovered diagram?",
                            TMsgDlgType::mtConfirmation, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    if (quitting_) return;  // unanswered: offered again at the next start
    if (wanted && LoadDiagramFile(file, diagram_, reporter_)) {
        // Saved nowhere yet: the diagram counts as changed until the user saves it.
        currentFileName_.clear();
        diagramModified_ = true;
        UpdateCaption();
        RestartHistory();
    }
    QFile::remove(file);
}

void TMainWindow::OfferRecoveredPositions() {
    // While a viewer holds a file, the offer waits for the next start.
    if (opening_ || !epdViewer_) return;
    SetOpening(true);
    if (!epdViewer_->OfferRecovered(EpdRecoveryFile())) SetOpening(false);
}

void TMainWindow::RestartHistory() {
    undoList_->Clear();
    undoList_->Push(diagram_);
    UpdateCommandStates();
}

void TMainWindow::MarkModified() {
    if (!diagramModified_) {
        diagramModified_ = true;
        UpdateCaption();
    }
    undoList_->Push(diagram_);
    UpdateCommandStates();
}

void TMainWindow::UpdateCaption() {
    const QString name = currentFileName_.isEmpty() ? "Untitled" : QFileInfo(currentFileName_).fileName();
    setWindowTitle(kAppTitle + " - " + name + (diagramModified_ ? "*" : ""));
}

void TMainWindow::closeEvent(QCloseEvent* event) {
    if (askBeforeClosing_ && (!QuerySaveChanges() || !CloseViewers())) {
        event->ignore();
        return;
    }
    FtmrButtonsEnable->stop();
    CloseHelp();
    settings_.SaveRecentFiles();
    settings_.SaveSettingsOnClose();
    if (isVisible()) {
        PlayWave("sfit2.wav");
        QThread::msleep(200);  // lets the closing sound start before the window goes
    }
    DeleteScratchImages();
    event->accept();
}

void TMainWindow::DeleteScratchImages() {
    for (const QString& file : std::as_const(scratchImages_))
        if (QFile::exists(file)) QFile::remove(file);
    scratchImages_.clear();
}

void TMainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (saveBounds_) settings_.SaveWindowBounds(x(), y(), width(), height());
}

void TMainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool wasMinimized = change->oldState() & Qt::WindowMinimized;
        if (isMinimized() && !wasMinimized) PlayWave("Minimize");
        if (!isMinimized() && wasMinimized) PlayWave("RestoreUp");
    }
    QMainWindow::changeEvent(event);
}

void TMainWindow::keyPressEvent(QKeyEvent* event) {
    RefreshLockPanels();
    if (boardEditor_->KeyPress(*event)) return;
    QMainWindow::keyPressEvent(event);
}

void TMainWindow::RefreshLockPanels() {
    const TKeyLocks locks = QueryKeyLocks();
    statusPanels_[1]->setText(locks.CapsLock ? "CAPS" : "");
    statusPanels_[2]->setText(locks.NumLock ? "NUM" : "");
}

void TMainWindow::tmrButtonsEnableTimer() {
    FtmrButtonsEnable->stop();
    RefreshLockPanels();
    UpdateCommandStates();
    UpdatePieceButtonMode();
    if (statusPanels_[0]->text().isEmpty()) statusPanels_[0]->setText(kAppTitle);
    FtmrButtonsEnable->start();
}

void TMainWindow::ShowToolbar(QWidget* panel, bool show, bool& setting) {
    setting = show;
    if (!panel->isHidden() == show) return;
    const int delta = show ? panel->height() : -panel->height();
    panel->setVisible(show);
    // The main area keeps its size: the window grows or shrinks by the toolbar.
    resize(width(), height() + delta);
    settings_.RememberedHeight = height();
}

void TMainWindow::ShowCommandsToolbar(bool show) { ShowToolbar(FpnlToolbar, show, settings_.ShowTool); }
void TMainWindow::ShowPiecesToolbar(bool show) { ShowToolbar(FpnlFakeCoolBar, show, settings_.ShowCool); }

}  // namespace vorlix
