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
#include "settings/Settings.h"
#include "app/ui/BoardEditor.h"
#include "app/ui/KeyLockState.h"
#include "common/ui/PlayWave.h"
#include "app/ui/TipForm.h"
#include "app/ui/PrintCommands.h"
#include "batch/ui/KXSaveDialog.h"
#include "board/DiagramFile.h"
#include "board/UndoList.h"
#include "board/ui/BoardControl.h"
#include "help/ui/Help.h"
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

TfrmQuenlix::TfrmQuenlix(TAppSettings& settings, const QString& dataFolder, const QStringList& arguments)
    : QMainWindow(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      FSettings(settings),
      FDataFolder(dataFolder),
      FArguments(arguments) {
    InitEditorResources();
    setObjectName("frmQuenlix");
    setWindowIcon(QIcon(":/editor/icons/app.svg"));
    setWindowTitle(kAppTitle);
    setMinimumSize(kMinWindowWidth, kMinWindowHeight);
    FBoard.SetErrorReporter(&FReporter);
    FBoard.SetAnimationSpeed(50);
    FBoard.SetCoordenateBackColor(clWhite);
    // The undo states go into a folder of this run alone, removed at exit.
    FUndoFolder = std::make_unique<TRunFolder>(QDir::tempPath());
    FUndoList = std::make_unique<TUndoList>(FUndoFolder->Path());
    FKXSaveDialog1 = new TKXSaveDialog(this);
    FKXSaveDialog1->setObjectName("KXSaveDialog1");
    CreateLayout();
    CreateStatusBar();
    CreateMenus();
    CreateCommandsToolbar();
    CreatePiecesToolbar();
    ConnectBoard();
    FClipboard = std::make_unique<TDiagramClipboard>(*QGuiApplication::clipboard(), FReporter);
    FBoardEditor = new TBoardEditor(*this, FSettings, *FkxChessBrd1, FPieceButtons);
    FTipForm = new TTipForm(FSettings.TipIndex, FSettings.ShowTips, this);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TfrmQuenlix::UpdateCommandStates);
    ConnectMenuHints();
    FSettings.LoadRecentFiles();
    CreateViewers();
    FPrintCommands = new TPrintCommands(*this);
    FtmrButtonsEnable = new QTimer(this);
    FtmrButtonsEnable->setInterval(kButtonInterval);
    connect(FtmrButtonsEnable, &QTimer::timeout, this, &TfrmQuenlix::tmrButtonsEnableTimer);
    FtmrButtonsEnable->start();
}

TfrmQuenlix::~TfrmQuenlix() {
    DestroyViewers();
    FBoard.OnFocusChange = nullptr;
    FBoard.OnPieceStyleChange = nullptr;
}

void TfrmQuenlix::CreateLayout() {
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
    FkxChessBrd1 = new TBoardControl(FBoard, FpnlBoard);
    FkxChessBrd1->setObjectName("kxChessBrd1");
    FkxChessBrd1->hide();  // shown once the default diagram is loaded
    FpnlBoard->setFixedSize(FkxChessBrd1->size());
    FscbMainArea->setWidget(FpnlBoard);
    column->addWidget(FscbMainArea, 1);
    setCentralWidget(central);
    // The board panel always takes the board's size.
    connect(FkxChessBrd1, &TBoardControl::BoardResized, this, [this](QSize size) { FpnlBoard->setFixedSize(size); });
    connect(FkxChessBrd1, &TBoardControl::MouseMoved, this, [this] { FStatusPanels[0]->setText(kAppTitle); });
}

void TfrmQuenlix::CreateStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 4; ++i) {
        FStatusPanels[i] = new QLabel(bar);
        FStatusPanels[i]->setObjectName(QString("StatusPanel%1").arg(i));
    }
    FStatusPanels[0]->setText(kAppTitle);
    FStatusPanels[0]->setIndent(2);
    bar->addWidget(FStatusPanels[0], 1);
    for (int i = 1; i < 4; ++i) {
        FStatusPanels[i]->setAlignment(Qt::AlignCenter);
        FStatusPanels[i]->setFixedWidth(i == 3 ? kLastPanelWidth : kLockPanelWidth);
        if (i < 3) FStatusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addPermanentWidget(FStatusPanels[i]);
    }
    setStatusBar(bar);
}

void TfrmQuenlix::ConnectBoard() {
    FBoard.OnFocusChange = [this](TkxChessBrd&) { MarkModified(); };
    FBoard.OnPieceStyleChange = [this](TkxChessBrd&) { DrawPieceButtons(); };
}

void TfrmQuenlix::ConnectMenuHints() {
    auto showHint = [this](const QString& hint) { FStatusPanels[0]->setText(hint.isEmpty() ? kAppTitle : hint); };
    // Menus are windows of their own: the board's pop-up menu would keep its
    // hints to itself. Every highlighted item (submenus report to their top
    // menu) shows its hint; the hint goes when the menu closes.
    QList<QMenu*> menus{FBoardEditor->popBoard()};
    for (QAction* title : menuBar()->actions())
        if (title->menu()) menus << title->menu();
    for (QMenu* menu : menus) {
        connect(menu, &QMenu::hovered, this, [showHint](QAction* item) { showHint(item->statusTip()); });
        connect(menu, &QMenu::aboutToHide, this, [showHint] { showHint({}); });
    }
}

QString TfrmQuenlix::StatusText() const { return FStatusPanels[0]->text(); }

bool TfrmQuenlix::event(QEvent* event) {
    // Hints of menu items and buttons go to the first status panel; leaving
    // them brings the application title back.
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        FStatusPanels[0]->setText(tip.isEmpty() ? kAppTitle : tip);
        return true;
    }
    return QMainWindow::event(event);
}

void TfrmQuenlix::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (FShown) return;
    FShown = true;
    FirstShow();
}

void TfrmQuenlix::FirstShow() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TWindowBounds& b = FSettings.Bounds;
    resize(b.Width, b.Height);
    move(b.Left, b.Top);
    FKXSaveDialog1->SetInitialDir(FSettings.SavePath);
    FpnlToolbar->setVisible(FSettings.ShowTool);
    FpnlFakeCoolBar->setVisible(FSettings.ShowCool);
    setWindowTitle(kAppTitle);
    LoadDefaultDiagram();
    FCurrentFileName.clear();
    FDiagramModified = false;
    DrawPieceButtons();
    FBoard.SetAnimate(FSettings.Animate);
    FBoard.SetAnimationSpeed(FSettings.AnimationSpeed);
    FkxChessBrd1->RenderNow();
    FkxChessBrd1->show();
    FSaveBounds = true;
    Button("spbSaveImg")->setEnabled(true);
    QApplication::restoreOverrideCursor();
    QMetaObject::invokeMethod(this, &TfrmQuenlix::StartupMessage, Qt::QueuedConnection);
}

void TfrmQuenlix::ResetHeaderFooter() {
    for (THeaderFooterInfo* record : {&FHeader, &FFooter}) {
        record->Enabled = false;
        record->Text.clear();
        record->Alignment = taLeftJustify;
        record->Font = TCFont{clBlack, "MS Sans Serif", 12, fsBold};
    }
}

void TfrmQuenlix::LoadDefaultDiagram() {
    ResetHeaderFooter();
    const QString file = FDataFolder + "default.vxd";
    // A missing default diagram is not worth a message; a damaged one is reported by the reader.
    if (QFile::exists(file) && FBoard.LoadFromFile(file, FHeader, FFooter)) return;
    FBoard.ResetSettings();
    ResetHeaderFooter();
}

void TfrmQuenlix::StartupMessage() {
    // The file-type questions come once the window is on the screen, complete,
    // so they have something to stand on; from the event loop, so that a quit
    // signal ends the program while they wait.
    CheckFileAssociations();
    if (FQuitting) return;
    // A file that cannot be opened (reported by the reader) leaves the untitled start.
    UpdateCaption();
    RestartHistory();
    OfferRecoveredDiagram();
    if (FQuitting) return;
    if (!FArguments.isEmpty())
        OpenChessFile(FArguments.first());
    else if (FSettings.ShowTips)
        FTipForm->show();
    OfferRecoveredPositions();
}

QString TfrmQuenlix::RecoveryFile() const { return FSettings.SettingsFolder() + "recovered.vxd"; }
QString TfrmQuenlix::EpdRecoveryFile() const { return FSettings.SettingsFolder() + "recovered.epd"; }

void TfrmQuenlix::QuitOnSignal() {
    if (FQuitting) return;  // a second signal while the first is handled
    FQuitting = true;
    CancelGameLoading();  // the rest of a large file is not worth waiting for
    if (FDiagramModified) {
        try {
            QDir().mkpath(FSettings.SettingsFolder());
            FBoard.SaveToFile(RecoveryFile(), kAppVersion, FFooter, FHeader);
        } catch (const std::exception& error) {
            // Nobody may be there to read it, but it is all that can be done.
            qWarning("%s: %s", qPrintable(RecoveryFile()), error.what());
        }
    }
    if (FEpdViewer) FEpdViewer->KeepUnsavedEdits(EpdRecoveryFile());
    FAskBeforeClosing = false;
    close();
}

void TfrmQuenlix::OfferRecoveredDiagram() {
    const QString file = RecoveryFile();
    if (!QFileInfo::exists(file)) return;
    const bool wanted =
        SoundMessageDlg("Chess Vorlix was ended while the diagram had unsaved changes; they were kept.\n\n"
                        "Open the recovered diagram?",
                        TMsgDlgType::mtConfirmation, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    if (FQuitting) return;  // unanswered: offered again at the next start
    if (wanted && LoadDiagramFile(file, FBoard, FHeader, FFooter, FReporter)) {
        // Saved nowhere yet: the diagram counts as changed until the user saves it.
        FCurrentFileName.clear();
        FDiagramModified = true;
        UpdateCaption();
        RestartHistory();
    }
    QFile::remove(file);
}

void TfrmQuenlix::OfferRecoveredPositions() {
    // While a viewer holds a file, the offer waits for the next start.
    if (FOpening || !FEpdViewer) return;
    SetOpening(true);
    if (!FEpdViewer->OfferRecovered(EpdRecoveryFile())) SetOpening(false);
}

void TfrmQuenlix::RestartHistory() {
    FUndoList->Clear();
    FUndoList->Push(FBoard, FHeader, FFooter);
    UpdateCommandStates();
}

void TfrmQuenlix::MarkModified() {
    if (!FDiagramModified) {
        FDiagramModified = true;
        UpdateCaption();
    }
    FUndoList->Push(FBoard, FHeader, FFooter);
    UpdateCommandStates();
}

void TfrmQuenlix::UpdateCaption() {
    const QString name = FCurrentFileName.isEmpty() ? "Untitled" : QFileInfo(FCurrentFileName).fileName();
    setWindowTitle(kAppTitle + " - " + name + (FDiagramModified ? "*" : ""));
}

void TfrmQuenlix::closeEvent(QCloseEvent* event) {
    if (FAskBeforeClosing && (!QuerySaveChanges() || !CloseViewers())) {
        event->ignore();
        return;
    }
    FtmrButtonsEnable->stop();
    CloseHelp();
    FSettings.SaveRecentFiles();
    FSettings.SaveSettingsOnClose();
    if (isVisible()) {
        PlayWave("sfit2.wav");
        QThread::msleep(200);  // lets the closing sound start before the window goes
    }
    DeleteScratchImages();
    event->accept();
}

void TfrmQuenlix::DeleteScratchImages() {
    for (const QString& file : std::as_const(FScratchImages))
        if (QFile::exists(file)) QFile::remove(file);
    FScratchImages.clear();
}

void TfrmQuenlix::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (FSaveBounds) FSettings.SaveWindowBounds(x(), y(), width(), height());
}

void TfrmQuenlix::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool wasMinimized = change->oldState() & Qt::WindowMinimized;
        if (isMinimized() && !wasMinimized) PlayWave("Minimize");
        if (!isMinimized() && wasMinimized) PlayWave("RestoreUp");
    }
    QMainWindow::changeEvent(event);
}

void TfrmQuenlix::keyPressEvent(QKeyEvent* event) {
    RefreshLockPanels();
    if (FBoardEditor->KeyPress(*event)) return;
    QMainWindow::keyPressEvent(event);
}

void TfrmQuenlix::RefreshLockPanels() {
    const TKeyLocks locks = QueryKeyLocks();
    FStatusPanels[1]->setText(locks.CapsLock ? "CAPS" : "");
    FStatusPanels[2]->setText(locks.NumLock ? "NUM" : "");
}

void TfrmQuenlix::tmrButtonsEnableTimer() {
    FtmrButtonsEnable->stop();
    RefreshLockPanels();
    UpdateCommandStates();
    UpdatePieceButtonMode();
    if (FStatusPanels[0]->text().isEmpty()) FStatusPanels[0]->setText(kAppTitle);
    FtmrButtonsEnable->start();
}

void TfrmQuenlix::ShowToolbar(QWidget* panel, bool show, bool& setting) {
    setting = show;
    if (!panel->isHidden() == show) return;
    const int delta = show ? panel->height() : -panel->height();
    panel->setVisible(show);
    // The main area keeps its size: the window grows or shrinks by the toolbar.
    resize(width(), height() + delta);
    FSettings.RememberedHeight = height();
}

void TfrmQuenlix::ShowCommandsToolbar(bool show) { ShowToolbar(FpnlToolbar, show, FSettings.ShowTool); }
void TfrmQuenlix::ShowPiecesToolbar(bool show) { ShowToolbar(FpnlFakeCoolBar, show, FSettings.ShowCool); }

}  // namespace vorlix
