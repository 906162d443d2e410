#pragma once
// The editor's main window: menus, both toolbars, the board in its centred
// panel and the status bar; the diagram's bookkeeping (file name, modified
// mark, undo history) and the commands that act on the board.
#include <QMainWindow>
#include <QStringList>
#include <map>
#include <memory>

#include "board/Diagram.h"
#include "common/ui/SoundMessageDlg.h"
#include "settings/RecentFiles.h"
#include "viewers/ui/ViewerHost.h"

class QActionGroup;
class QLabel;
class QMenu;
class QScrollArea;
class QDropEvent;
class QTimer;
class QToolButton;

namespace vorlix {

class TAppSettings;
class TFileAssociations;
class TPrintCommands;
class TBoardControl;
class TBoardEditor;
class TDiagramClipboard;
class TImageFileDialog;
struct TImageOptions;
class TRunFolder;
class TTipForm;
class TUndoList;

inline const QString kAppTitle = "Chess Vorlix 2.21";
constexpr int kAppVersion = 220;

class TMainWindow : public QMainWindow, public TViewerHost {
    Q_OBJECT
public:
    // The settings are loaded after the window is made and before it shows;
    // dataFolder holds the default diagram.
    TMainWindow(TAppSettings& settings, const QString& dataFolder, const QStringList& arguments);
    ~TMainWindow() override;

    TDiagramBoard& Board() override { return diagram_.Board; }
    TDiagram& Diagram() { return diagram_; }
    TUndoList& UndoList() { return *undoList_; }
    TImageFileDialog& ImageFileDialog() { return *imageFileDialog_; }
    TErrorReporter& Reporter() override { return reporter_; }
    QString CurrentFileName() const { return currentFileName_; }
    bool DiagramModified() const { return diagramModified_; }
    // Folders of the scratch copies of square background images, deleted at close.
    void AddScratchImage(const QString& fileName) { scratchImages_ << fileName; }

    // Ended from outside (a quit signal): nobody can answer the save question,
    // so a modified diagram goes to the recovery file, offered at the next
    // start; then the window closes through its normal path without asking.
    void QuitOnSignal();
    // Ended from outside: questions still waiting are not asked.
    bool Quitting() const { return quitting_; }
    QString RecoveryFile() const;
    // Where unsaved edits of the EPD viewer go the same way.
    QString EpdRecoveryFile() const;

    void MarkModified();
    void UpdateCaption();

    // The command behind the Save as Image button and menu item.
    void spbSaveImgClick();
    // Renders and writes the image without the dialog; the overwrite question is asked.
    // With the settings' JPEG quality and image scale.
    bool SaveImageTo(const QString& fileName, int filterIndex, int colorIndex, bool transparent);
    bool SaveImageTo(const QString& fileName, const TImageOptions& choice);

    // Asks to save a modified diagram; false when the user cancelled.
    bool QuerySaveChanges();
    bool SaveDiagram();
    bool SaveDiagramAs();
    bool WriteDiagram(const QString& fileName);
    bool OpenDiagramFile(const QString& fileName);
    void NewDiagram();

    // Chess files in and out (MainWindowFiles.cpp): the one entry for every
    // way of opening a file, the recent lists and Save as EPD.
    void OpenChessFile(const QString& fileName);
    QString FileBeingOpened() const { return fileBeingOpened_; }
    bool Opening() const { return opening_; }
    QStringList& RecentList(TRecentKind kind);
    void AddRecent(TRecentKind kind, const QString& fileName);
    void RemoveRecent(TRecentKind kind, const QString& fileName);
    void RebuildReopenMenu();
    void SaveAsEPD(const QString& fileName);
    TArchiveViewer& EpdViewer() { return *epdViewer_; }
    TArchiveViewer& PgnViewer();
    // The desktop's file associations, examined when the window first shows
    // (none given: not examined).
    void SetFileAssociations(TFileAssociations* associations) { associations_ = associations; }

    // What the viewers and batch dialogs need of the main window.
    QWidget* HostWindow() override { return this; }
    QRect BoardPanelGlobalRect() const override;
    TAppSettings& Settings() override { return settings_; }
    void DiagramChangedByViewer() override;
    void PlaySound(const QString& waveName) override;
    void ViewerClosed() override;
    void OpenPgnBatch(TPgnBatchSource& source) override;
    void OpenEpdBatch(TEpdBatchSource& source) override;
    void AnimateMove(const TChessMove& move) override;
    void AnimateTakeBack(const TChessMove& move, int capturedPiece) override;
    QPrinter& Printer() override;
    void PrinterSetup() override;

    void ShowCommandsToolbar(bool show);
    void ShowPiecesToolbar(bool show);
    void SetImageScale(int index);
    void SetPrintScale(int index);

    // One pass of the 100 ms button timer.
    void tmrButtonsEnableTimer();
    // Enables the commands, menu items and buttons alike, by the diagram, the
    // undo history, the selection and the clipboard. A disabled item's
    // shortcut does nothing, so this runs on every change, not only when a
    // menu opens.
    void UpdateCommandStates();
    QString StatusText() const;

    QMenu* Menu(const QString& objectName) const;
    QAction* Item(const QString& objectName) const;
    QToolButton* Button(const QString& objectName) const;
    TBoardControl& BoardControl() { return *boardView_; }
    TBoardEditor& BoardEditor() { return *boardEditor_; }
    TTipForm& TipForm() { return *tipForm_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction (MainWindow.cpp, MainWindowMenus.cpp).
    void CreateLayout();
    void CreateStatusBar();
    void CreateMenus();
    void CreateFileMenu();
    void CreateEditMenu();
    void CreateOptionsMenu();
    void CreateBoardMenu();
    void CreateConfigureMenu();
    void CreateHelpMenu();
    void CreateCommandsToolbar();
    void CreatePiecesToolbar();
    void ConnectBoard();
    void ConnectMenuHints();
    QMenu* AddMenu(QMenu* parent, const char* name, const QString& caption, const QString& hint);
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption, const QString& hint,
                     void (TMainWindow::*handler)() = nullptr, const QKeySequence& shortcut = {});
    QActionGroup* AddRadioItems(QMenu* menu, const char* prefix, const QStringList& captions, const QStringList& hints,
                                void (TMainWindow::*handler)(int));
    QToolButton* AddButton(const char* name, const QString& icon, const QString& tooltip, const QString& statusText,
                           void (TMainWindow::*handler)());

    // Start-up and closing.
    void FirstShow();
    void StartupMessage();
    void OfferRecoveredDiagram();
    void OfferRecoveredPositions();
    void ResetHeaderFooter();
    void LoadDefaultDiagram();
    void ApplyChosenTheme();
    void DeleteScratchImages();

    // Menu state on opening.
    void mnuEditPopup();
    void mnuOptionsPopup();
    void mnuBoardPopup();

    // Commands (MainWindowCommands.cpp).
    bool MainWindowFocused() const;
    void mnuFileNewClick();
    void mnuFileSaveClick();
    void mnuFileSaveAsClick();
    void mnuFileExitClick();
    void mnuEditUndoClick();
    void mnuEditRedoClick();
    void mnuEditCutClick();
    void mnuEditCopyClick();
    void mnuEditPasteClick();
    void spbPasteClick();
    void mnuEditEmptyClipboardClick();
    void mnuAnimationSpeedClick();
    void mnuClipboardFormatClick(int index);
    void mnuAnimateMovesClick();
    void mnuJPGQualityClick();
    void mnuImageScaleClick(int index);
    void mnuPrintScaleClick(int index);
    void mnuCommandsToolbarClick();
    void mnuPiecesToolbarClick();
    void mnuPlaySoundsClick();
    void mnuClearBoardClick();
    void mnuInvertBoardClick();
    void mnuStartingPositionClick();
    void mnuPieceStyleClick(int index);
    // Item 0 White, 1 Black, 2 Not Shown.
    void mnuSideToMoveClick(int index);
    void mnuWebPageClick();
    // Help menu and the dialogs of the Configure menu (MainWindowDialogs.cpp).
    void mnuHelpContentsClick();
    void mnuHelpSearchClick();
    void mnuHelpHowToClick();
    void mnuHelpQuickStartClick();
    void mnuConfigureBoardClick();
    void mnuConfigureHeaderClick();
    void mnuConfigureFooterClick();
    void mnuHelpTipsClick();
    void EditHeaderFooter(bool header);
    void mnuEmailClick();
    bool CopyDiagramToClipboard();
    void RestartHistory();

    // Opening and saving chess files (MainWindowFiles.cpp).
    void CreateViewers();
    void DestroyViewers();
    bool CloseViewers();
    void CheckFileAssociations();
    void mnuFilePopup();
    void mnuFileOpenClick();
    void mnuFileSaveEPDClick();
    void mnuFilePrintClick();
    void mnuFilePreviewClick();
    void mnuFilePrinterSetupClick();
    void OpenAsEpd(const QString& fileName);
    void OpenAsPgn(const QString& fileName);
    bool OpenInViewer(TArchiveViewer& viewer, TRecentKind kind, const QString& fileName);
    void SetOpening(bool opening);
    bool DropFiles(QDropEvent& event);

    // Pieces toolbar.
    void DrawPieceButtons();
    void PieceButtonClick(QToolButton* button);
    void UpdatePieceButtonMode();
    void RefreshLockPanels();
    void ShowToolbar(QWidget* panel, bool show, bool& setting);

    TAppSettings& settings_;
    QString dataFolder_;
    QStringList arguments_;
    TDiagram diagram_;
    std::unique_ptr<TRunFolder> undoFolder_;  // outlives the undo list, whose files it holds
    std::unique_ptr<TUndoList> undoList_;
    TMessageBoxReporter reporter_;
    QString currentFileName_;
    QString saveAsName_;  // the name the Save As dialog held last
    bool diagramModified_ = false;
    bool saveBounds_ = false;
    bool shown_ = false;
    bool askBeforeClosing_ = true;
    bool quitting_ = false;  // a quit signal arrived
    QStringList scratchImages_;
    QString fileBeingOpened_;
    bool opening_ = false;  // a viewer holds an opened file
    bool retry_ = false;    // a failed open tries the other kind of file once
    TArchiveViewer* epdViewer_ = nullptr;
    TArchiveViewer* pgnViewer_ = nullptr;
    TFileAssociations* associations_ = nullptr;
    TPrintCommands* printCommands_ = nullptr;  // made after the menus, before any command runs

    TImageFileDialog* imageFileDialog_ = nullptr;
    TBoardControl* boardView_ = nullptr;
    TBoardEditor* boardEditor_ = nullptr;
    TTipForm* tipForm_ = nullptr;
    std::unique_ptr<TDiagramClipboard> clipboard_;
    QWidget* FpnlToolbar = nullptr;
    QWidget* FpnlFakeCoolBar = nullptr;
    QScrollArea* FscbMainArea = nullptr;
    QWidget* FpnlBoard = nullptr;
    QLabel* statusPanels_[4] = {};
    QTimer* FtmrButtonsEnable = nullptr;
    std::vector<QToolButton*> pieceButtons_;
    QAction* FmnuEditUndo = nullptr;
    QAction* FmnuEditRedo = nullptr;
    QAction* FmnuEditCut = nullptr;
    QAction* FmnuEditPaste = nullptr;
    QAction* FmnuEditEmptyClipboard = nullptr;
    QActionGroup* clipboardFormats_ = nullptr;
    QActionGroup* imageScales_ = nullptr;
    QActionGroup* printScales_ = nullptr;
    QActionGroup* pieceStyles_ = nullptr;
    QActionGroup* sidesToMove_ = nullptr;
};

}  // namespace vorlix
