// The main window's menus and toolbars, built from the command table.
#include <QActionGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QToolButton>

#include "app/Clipboard.h"
#include "app/ui/BoardEditor.h"
#include "app/ui/MainWindow.h"
#include "board/UndoList.h"
#include "board/ui/BoardControl.h"
#include "board/ui/PieceButtonIcon.h"
#include "common/ui/SoundPlayer.h"
#include "settings/Settings.h"

namespace vorlix {
namespace {

const QStringList kImageScaleCaptions = {" 40 %", " 60 %", " 80 %", " 90 %", "100 %", "125 %", "150 %", "200 %"};
const QStringList kImageScaleHints = {"Set image size to be 40% of the diagram size",
                                      "Set image size to be 60% of the diagram size",
                                      "Set image size to be 80% of the diagram size",
                                      "Set image size to be 90% of the diagram size",
                                      "Do not resize the images",
                                      "Set image size to be 125% of the diagram size",
                                      "Set image size to be 150% of the diagram size",
                                      "Set image size to be 200% of the diagram size"};
const QStringList kPrintScaleCaptions = {"100 %", "125 %", "150 %", "175 %", "200 %", "225 %",
                                         "250 %", "275 %", "300 %", "400 %", "500 %", "600 %"};
const QStringList kPrintScaleHints = {
    "Do not scale the diagram when printing",    "Enlarge the diagram by 25% when printing",
    "Enlarge the diagram by 50% when printing",  "Enlarge the diagram by 75% when printing",
    "Enlarge the diagram by 100% when printing", "Enlarge the diagram by 125% when printing",
    "Enlarge the diagram by 150% when printing", "Enlarge the diagram by 175% when printing",
    "Enlarge the diagram by 200% when printing", "Enlarge the diagram by 300% when printing",
    "Enlarge the diagram by 400% when printing", "Enlarge the diagram by 500% when printing"};
const QStringList kClipboardCaptions = {"&Monochrome Bitmap", "&16 Color Bitmap", "&256 Color Bitmap",
                                        "&True Color Bitmap", "&EPD Text",        "&Plain Text",
                                        "&Setup Text"};
const QStringList kClipboardHints = {
    "Set the format to 2-color (B/W) bitmap image", "Set the format to 16-color bitmap image",
    "Set the format to 256-color bitmap image",     "Set the format to true color bitmap image",
    "Set format to the not so readable epd format", "Set format to ASCII text impersonating a chess diagram",
    "Set format to a readable text format"};
// Items 0, 1, 2: White, Black, none.
int SideToMoveItem(TSideToMove side) { return side == TSideToMove::White ? 0 : side == TSideToMove::Black ? 1 : 2; }
const QStringList kSideToMoveCaptions = {"&White to Move", "&Black to Move", "&Not Shown"};
const QStringList kSideToMoveHints = {"White is to move: the diagram shows it when Show Side to Move is on",
                                      "Black is to move: the diagram shows it when Show Side to Move is on",
                                      "The diagram tells no side to move"};
const QStringList kPieceStyleCaptions = {"S&mart", "&Roviravo", "&Roruvoz"};
const QStringList kPieceStyleHints = {"Select the \"Riroz\" piecestyle", "Select the \"Roviravo\" piecestyle",
                                      "Select the \"Roruvoz\" piecestyle"};
const QStringList kPieceNames = {"king", "queen", "bishop", "knight", "rook", "pawn"};
const QStringList kInsertCaptions = {"&King", "&Queen", "&Bishop", "K&night", "&Rook", "&Pawn", "&Cross", "&Dot"};
const QStringList kInsertNames = {"king", "queen", "bishop", "knight", "rook", "pawn", "cross", "dot"};
const QStringList kInsertObjectNames = {"King", "Queen", "Bishop", "Knight", "Rook", "Pawn", "Cross", "Dot"};

}  // namespace

QMenu* TMainWindow::AddMenu(QMenu* parent, const char* name, const QString& caption, const QString& hint) {
    QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    menu->menuAction()->setStatusTip(hint);
    return menu;
}

QAction* TMainWindow::AddItem(QMenu* menu, const char* name, const QString& caption, const QString& hint,
                              void (TMainWindow::*handler)(), const QKeySequence& shortcut) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    item->setStatusTip(hint);
    item->setShortcut(shortcut);
    // Commands whose work is not part of the editor yet stay disabled.
    if (handler)
        connect(item, &QAction::triggered, this, handler);
    else
        item->setEnabled(false);
    return item;
}

QActionGroup* TMainWindow::AddRadioItems(QMenu* menu, const char* prefix, const QStringList& captions,
                                         const QStringList& hints, void (TMainWindow::*handler)(int)) {
    auto* group = new QActionGroup(this);
    for (int i = 0; i < captions.size(); ++i) {
        QAction* item = menu->addAction(captions[i]);
        item->setObjectName(QString("%1%2").arg(prefix).arg(i));
        item->setStatusTip(hints[i]);
        item->setCheckable(true);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, handler, i] { (this->*handler)(i); });
    }
    return group;
}

void TMainWindow::CreateMenus() {
    CreateFileMenu();
    CreateEditMenu();
    CreateOptionsMenu();
    CreateBoardMenu();
    CreateConfigureMenu();
    CreateHelpMenu();
}

void TMainWindow::CreateFileMenu() {
    QMenu* m = AddMenu(nullptr, "mnuFile", "&File", "File and printer options");
    connect(m, &QMenu::aboutToShow, this, &TMainWindow::mnuFilePopup);
    // Beside the keys of the command table, the keys every desktop program knows.
    AddItem(m, "mnuFileNew", "&New", "Start editing a new diagram", &TMainWindow::mnuFileNewClick,
            QKeySequence("Ctrl+N"));
    AddItem(m, "mnuFileOpen", "&Open...", "Open a chess file", &TMainWindow::mnuFileOpenClick, Qt::Key_F7)
        ->setShortcuts({QKeySequence(Qt::Key_F7), QKeySequence("Ctrl+O")});
    AddMenu(m, "mnuFileReopen", "&Reopen", "Reopen a chess file")->setEnabled(false);
    m->addSeparator();
    AddItem(m, "mnuFileSave", "&Save", "Save current chess diagram", &TMainWindow::mnuFileSaveClick,
            QKeySequence("Ctrl+S"));
    AddItem(m, "mnuFileSaveAs", "Save &As...", "Save current diagram to a new file", &TMainWindow::mnuFileSaveAsClick,
            QKeySequence("Ctrl+Shift+S"));
    AddItem(m, "mnuFileSaveEPD", "Save as &EPD...", "Save current position to an EPD file",
            &TMainWindow::mnuFileSaveEPDClick, QKeySequence("Ctrl+E"));
    AddItem(m, "mnuFileSaveImage", "Save as &Image...", "Save current diagram as an image",
            &TMainWindow::spbSaveImgClick, QKeySequence("Ctrl+I"));
    m->addSeparator();
    AddItem(m, "mnuFilePrinterSetup", "Printer Set&up...", "Select a printer and configure some of its settings",
            &TMainWindow::mnuFilePrinterSetupClick);
    AddItem(m, "mnuFilePreview", "Print Pre&view...", "Preview how your diagrams will look when printed",
            &TMainWindow::mnuFilePreviewClick);
    AddItem(m, "mnuFilePrint", "&Print", "Print the current diagram", &TMainWindow::mnuFilePrintClick,
            QKeySequence("Ctrl+P"));
    m->addSeparator();
    AddItem(m, "mnuFileExit", "E&xit", "Leave Chess Vorlix", &TMainWindow::mnuFileExitClick, QKeySequence("Ctrl+Q"));
}

void TMainWindow::CreateEditMenu() {
    QMenu* m = AddMenu(nullptr, "mnuEdit", "&Edit", "Clipboard related options");
    connect(m, &QMenu::aboutToShow, this, &TMainWindow::mnuEditPopup);
    FmnuEditUndo = AddItem(m, "mnuEditUndo", "&Undo", "Undo your latest changes to the current diagram",
                           &TMainWindow::mnuEditUndoClick, QKeySequence("Ctrl+Z"));
    FmnuEditRedo = AddItem(m, "mnuEditRedo", "&Redo", "Redo any undone changes to the current diagram",
                           &TMainWindow::mnuEditRedoClick, QKeySequence("Shift+Ctrl+Z"));
    m->addSeparator();
    FmnuEditCut = AddItem(m, "mnuEditCut", "Cu&t", "Copy current diagram to the clipboard and clear board",
                          &TMainWindow::mnuEditCutClick, QKeySequence("Ctrl+X"));
    AddItem(m, "mnuEditCopy", "&Copy", "Copy current diagram to the clipboard", &TMainWindow::mnuEditCopyClick,
            QKeySequence("Ctrl+C"));
    FmnuEditPaste = AddItem(m, "mnuEditPaste", "&Paste",
                            "Paste text from the clipboard and translate it into a diagram (if possible)",
                            &TMainWindow::mnuEditPasteClick, QKeySequence("Ctrl+V"));
    m->addSeparator();
    QMenu* formats =
        AddMenu(m, "mnuClipboardFormat", "C&lipboard Format", "Select a format for copying diagrams to the clipboard");
    clipboardFormats_ = AddRadioItems(formats, "mnuClipboardFormat", kClipboardCaptions, kClipboardHints,
                                      &TMainWindow::mnuClipboardFormatClick);
    // The item names end in the character that selects the format.
    const char* clipboardItemNames[] = {"mnuEditClipBmp1", "mnuEditClipBmp4",  "mnuEditClipBmp8", "mnuEditClipBmpT",
                                        "mnuEditClipEPD",  "mnuEditClipPlain", "mnuEditClipSetup"};
    for (int i = 0; i < clipboardFormats_->actions().size(); ++i)
        clipboardFormats_->actions().at(i)->setObjectName(clipboardItemNames[i]);
    FmnuEditEmptyClipboard =
        AddItem(m, "mnuEditEmptyClipboard", "&Empty Clipboard", "Remove any bitmap image from the clipboard",
                &TMainWindow::mnuEditEmptyClipboardClick);
}

void TMainWindow::CreateOptionsMenu() {
    QMenu* m = AddMenu(nullptr, "mnuOptions", "&Options", "Configure some of Chess Vorlix's settings");
    connect(m, &QMenu::aboutToShow, this, &TMainWindow::mnuOptionsPopup);
    AddItem(m, "mnuAnimateMoves", "Animate &Moves", "Toggle the animate moves setting (used in the PGN viewer)",
            &TMainWindow::mnuAnimateMovesClick)
        ->setCheckable(true);
    AddItem(m, "mnuAnimationSpeed", "&Animation Speed...", "Set speed for move animation in PGN viewer",
            &TMainWindow::mnuAnimationSpeedClick);
    AddItem(m, "mnuJPGQuality", "JPG &Quality...", "Select image quality for when saving your diagram as JPEG images",
            &TMainWindow::mnuJPGQualityClick);
    m->addSeparator();
    QMenu* image = AddMenu(m, "mnuImageScaling", "&Image Scaling",
                           "Select at what image size to save, cut and copy your chess diagrams");
    imageScales_ =
        AddRadioItems(image, "mnuImageScale", kImageScaleCaptions, kImageScaleHints, &TMainWindow::mnuImageScaleClick);
    QMenu* print = AddMenu(m, "mnuPrintScaling", "&Print Scaling", "Select at what size to print your chess diagrams");
    printScales_ =
        AddRadioItems(print, "mnuPrintScale", kPrintScaleCaptions, kPrintScaleHints, &TMainWindow::mnuPrintScaleClick);
    QMenu* toolbars = AddMenu(m, "mnuToolbars", "&Toolbars", "Hide or show certain toolbars");
    AddItem(toolbars, "mnuCommandsToolbar", "&Commands Toolbar", "", &TMainWindow::mnuCommandsToolbarClick)
        ->setCheckable(true);
    AddItem(toolbars, "mnuPiecesToolbar", "&Pieces Toolbar", "", &TMainWindow::mnuPiecesToolbarClick)
        ->setCheckable(true);
    m->addSeparator();
    AddItem(m, "mnuPlaySounds", "Play &Sounds", "Use Chess Vorlix with or without sound",
            &TMainWindow::mnuPlaySoundsClick)
        ->setCheckable(true);
}

void TMainWindow::CreateBoardMenu() {
    QMenu* m = AddMenu(nullptr, "mnuBoard", "&Board", "Configure the chess board and its squares");
    connect(m, &QMenu::aboutToShow, this, &TMainWindow::mnuBoardPopup);
    AddItem(m, "mnuBoardDefect", "De&fect", "Convert all selected pieces to the enemy!");
    AddItem(m, "mnuBoardDelete", "&Delete", "Remove all selected pieces from the board");
    QMenu* hl = AddMenu(m, "mnuHighlighting", "&Highlighting", "Set square highlighting");
    AddItem(hl, "mnuHLClear", "C&lear", "Clear all highlighting settings the selected square(s)");
    AddItem(hl, "mnuHLMerge", "&Merge",
            "Merge the highlighting settings of the selected square(s) with the square colors");
    AddItem(hl, "mnuHLUnmerge", "&Unmerge",
            "Unmerge the highlighting settings of the selected square(s) with the square colors");
    hl->addSeparator();
    for (int i = 1; i <= 4; ++i)
        AddItem(hl, qPrintable(QString("mnuHLOption%1").arg(i)), QString("Option &%1").arg(i),
                QString("Highlight the selected square(s) with highlighting color #%1").arg(i));
    AddItem(hl, "mnuHLCustom", "&Custom Color...", "Highlight the selected square(s) with a custom color");
    for (const QString side : {"White", "Black"}) {
        QMenu* insert = AddMenu(m, qPrintable("mnuInsert" + side), "Insert &" + side,
                                "Insert " + side.toLower() + " pieces onto board");
        for (int i = 0; i < kInsertCaptions.size(); ++i)
            AddItem(insert, qPrintable("mnuInsert" + side + kInsertObjectNames[i]), kInsertCaptions[i],
                    "Insert a " + side.toLower() + " " + kInsertNames[i] + " on the selected square(s)");
    }
    m->addSeparator();
    AddItem(m, "mnuBoardClear", "C&lear Board", "Remove all pieces from the chess board",
            &TMainWindow::mnuClearBoardClick);
    // Ctrl+I and Ctrl+S belong to the File menu; here they are only shown.
    AddItem(m, "mnuBoardInvert", "&Invert Board\tCtrl+I", "Flip the chess board around",
            &TMainWindow::mnuInvertBoardClick);
    AddItem(m, "mnuBoardStartPos", "&Starting Position\tCtrl+S", "Setup the starting position",
            &TMainWindow::mnuStartingPositionClick);
    QMenu* styles = AddMenu(m, "mnuPieceStyle", "Piece St&yle", "Select a piece style");
    pieceStyles_ =
        AddRadioItems(styles, "mnuPieceStyle", kPieceStyleCaptions, kPieceStyleHints, &TMainWindow::mnuPieceStyleClick);
    QMenu* sides = AddMenu(m, "mnuSideToMove", "Side to &Move", "Set the side to move");
    sidesToMove_ =
        AddRadioItems(sides, "mnuSideToMove", kSideToMoveCaptions, kSideToMoveHints, &TMainWindow::mnuSideToMoveClick);
    m->addSeparator();
    AddItem(m, "mnuSelectAll", "Select &All", "Select all squares");
    AddItem(m, "mnuUnselectAll", "&Unselect All", "Unselect all selected squares");
}

void TMainWindow::CreateConfigureMenu() {
    QMenu* m = AddMenu(nullptr, "mnuConfigure", "&Configure", "Configure the diagram header, footer and the board");
    AddItem(m, "mnuConfigureHeader", "&Header...", "Configure the diagram header",
            &TMainWindow::mnuConfigureHeaderClick, QKeySequence("Ctrl+H"));
    AddItem(m, "mnuConfigureBoard", "&Board...", "Change one or more of the many board layout settings",
            &TMainWindow::mnuConfigureBoardClick, QKeySequence("Ctrl+B"));
    AddItem(m, "mnuConfigureFooter", "&Footer...", "Configure the diagram footer",
            &TMainWindow::mnuConfigureFooterClick, QKeySequence("Ctrl+F"));
}

void TMainWindow::CreateHelpMenu() {
    QMenu* m = AddMenu(nullptr, "mnuHelp", "&Help", "");
    AddItem(m, "mnuHelpContents", "&Contents", "Show the contents of Chess Vorlix's help file",
            &TMainWindow::mnuHelpContentsClick, Qt::Key_F1);
    AddItem(m, "mnuHelpSearch", "&Search for Help on...", "Search for a specific topic in the help file index",
            &TMainWindow::mnuHelpSearchClick);
    AddItem(m, "mnuHelpHowTo", "&How to Use Help", "Beginners guide on how to work with help files",
            &TMainWindow::mnuHelpHowToClick);
    AddItem(m, "mnuHelpQuickStart", "&Quick Start Information",
            "Some need to know topics for working with Chess Vorlix", &TMainWindow::mnuHelpQuickStartClick);
    m->addSeparator();
    AddItem(m, "mnuHelpTips", "&Tip of the Day...", "Show tip of the day window", &TMainWindow::mnuHelpTipsClick);
    m->addSeparator();
    AddItem(m, "mnuHelpWeb", "Chess Vorlix on the &Web", "Visit the Chess Vorlix web page",
            &TMainWindow::mnuWebPageClick);
    AddItem(m, "mnuHelpMail", "Send &Mail...", "Write a message to the makers of Chess Vorlix",
            &TMainWindow::mnuEmailClick);
}

QToolButton* TMainWindow::AddButton(const char* name, const QString& icon, const QString& tooltip,
                                    const QString& statusText, void (TMainWindow::*handler)()) {
    auto* button = new QToolButton(FpnlToolbar);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setFixedSize(24, 22);
    button->setIconSize(QSize(16, 16));
    button->setIcon(QIcon(":/editor/icons/" + icon + ".svg"));
    button->setToolTip(tooltip);
    button->setStatusTip(statusText);
    if (handler)
        connect(button, &QToolButton::clicked, this, handler);
    else
        button->setEnabled(false);
    FpnlToolbar->layout()->addWidget(button);
    return button;
}

void TMainWindow::CreateCommandsToolbar() {
    auto* row = new QHBoxLayout(FpnlToolbar);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(0);
    auto gap = [row] { row->addSpacing(6); };
    AddButton("spbNew", "new", "New Diagram", "Start editing a new diagram", &TMainWindow::mnuFileNewClick);
    AddButton("spbOpenFile", "open", "Open a File", "Open a chess file", &TMainWindow::mnuFileOpenClick);
    AddButton("spbSaveEPD", "save", "Save Diagram", "Save current chess diagram", &TMainWindow::mnuFileSaveClick);
    AddButton("spbSaveImg", "image", "Save Diagram as Image", "Save current diagram as an image",
              &TMainWindow::spbSaveImgClick)
        ->setEnabled(false);  // enabled once the window has shown
    gap();
    AddButton("spbCut", "cut", "Cut Diagram to Clipboard", "Copy current diagram to the clipboard and clear board",
              &TMainWindow::mnuEditCutClick);
    AddButton("spbClipboard", "copy", "Copy Diagram to Clipboard", "Copy current diagram to the clipboard",
              &TMainWindow::mnuEditCopyClick);
    AddButton("spbPaste", "paste", "Paste",
              "Paste text from the clipboard and translate it into a diagram (if possible)",
              &TMainWindow::spbPasteClick);
    gap();
    AddButton("spbUndo", "undo", "Undo Changes", "Undo your latest changes to the current diagram",
              &TMainWindow::mnuEditUndoClick);
    AddButton("spbRedo", "redo", "Redo Changes", "Redo any undone changes to the current diagram",
              &TMainWindow::mnuEditRedoClick);
    gap();
    AddButton("spbPrint", "print", "Print Diagram", "Print the current diagram", &TMainWindow::mnuFilePrintClick);
    AddButton("spbPreview", "preview", "Print Preview", "Preview how your diagrams will look when printed",
              &TMainWindow::mnuFilePreviewClick);
    gap();
    AddButton("spbStartPos", "startpos", "Starting Position", "Setup the starting position",
              &TMainWindow::mnuStartingPositionClick);
    AddButton("spbClearBoard", "clear", "Clear Board", "Remove all pieces from the chess board",
              &TMainWindow::mnuClearBoardClick);
    AddButton("spbFlipBoard", "flip", "Invert Chess Board", "Flip the chess board around",
              &TMainWindow::mnuInvertBoardClick);
    gap();
    AddButton("spbHeader", "header", "Customize Header", "Configure the diagram header",
              &TMainWindow::mnuConfigureHeaderClick);
    AddButton("spbCustomize", "board", "Customize Board", "Change one or more of the many board layout settings",
              &TMainWindow::mnuConfigureBoardClick);
    AddButton("spbFooter", "footer", "Customize Footer", "Configure the diagram footer",
              &TMainWindow::mnuConfigureFooterClick);
    row->addStretch(1);
}

void TMainWindow::CreatePiecesToolbar() {
    auto* row = new QHBoxLayout(FpnlFakeCoolBar);
    row->setContentsMargins(4, 8, 4, 8);
    row->setSpacing(0);
    for (int code = 1; code <= 12; ++code) {
        auto* button = new QToolButton(FpnlFakeCoolBar);
        button->setObjectName(QString("SpeedButton%1").arg(code));
        button->setProperty("tag", code);
        button->setFixedSize(34, 34);
        button->setIconSize(QSize(kPieceButtonIconSide, kPieceButtonIconSide));
        button->setAutoRaise(true);
        button->setCheckable(true);
        const QString colour = code <= 6 ? "white" : "black";
        const QString hint = "Insert " + colour + " " + kPieceNames[(code - 1) % 6] + " on chess board";
        button->setToolTip(hint);
        button->setStatusTip(hint);
        connect(button, &QToolButton::clicked, this, [this, button] { PieceButtonClick(button); });
        row->addWidget(button);
        pieceButtons_.push_back(button);
        if (code == 6) row->addSpacing(8);
    }
    row->addStretch(1);
}

void TMainWindow::DrawPieceButtons() {
    for (QToolButton* button : pieceButtons_)
        button->setIcon(PieceButtonIcon(diagram_.Board, button->property("tag").toInt(), devicePixelRatioF()));
}

void TMainWindow::PieceButtonClick(QToolButton* button) {
    // In selection mode the buttons are push buttons that fill the selection;
    // in insert mode they form a group in which at most one is down.
    if (!button->isCheckable()) return boardEditor_->PieceButtonClick(button);
    for (QToolButton* other : pieceButtons_)
        if (other != button) other->setChecked(false);
}

void TMainWindow::UpdatePieceButtonMode() {
    const bool selecting = diagram_.Board.SelectedCount() > 0;
    bool anyDown = false;
    for (QToolButton* button : pieceButtons_) {
        if (selecting) button->setChecked(false);
        button->setCheckable(!selecting);
        anyDown = anyDown || button->isChecked();
    }
    boardView_->setCursor(anyDown ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TMainWindow::mnuEditPopup() {
    UpdateCommandStates();
    clipboardFormats_->actions().at(settings_.ClipboardFormat)->setChecked(true);
}

void TMainWindow::UpdateCommandStates() {
    const bool canUndo = undoList_->CanUndo(), canRedo = undoList_->CanRedo();
    const bool hasContent = !diagram_.Board.IsEmpty(), holdsText = clipboard_->HoldsText();
    FmnuEditUndo->setEnabled(canUndo);
    FmnuEditRedo->setEnabled(canRedo);
    FmnuEditCut->setEnabled(hasContent);
    FmnuEditPaste->setEnabled(holdsText);
    FmnuEditEmptyClipboard->setEnabled(clipboard_->HoldsBitmap());
    Button("spbUndo")->setEnabled(canUndo);
    Button("spbRedo")->setEnabled(canRedo);
    Button("spbCut")->setEnabled(hasContent);
    Button("spbPaste")->setEnabled(holdsText);
    if (boardEditor_) boardEditor_->UpdateBoardMenu();
}

void TMainWindow::mnuOptionsPopup() {
    imageScales_->actions().at(settings_.ImageScale)->setChecked(true);
    printScales_->actions().at(settings_.PrintScale)->setChecked(true);
    const bool tool = !FpnlToolbar->isHidden(), cool = !FpnlFakeCoolBar->isHidden();
    Item("mnuCommandsToolbar")->setChecked(tool);
    Item("mnuCommandsToolbar")
        ->setStatusTip(tool ? "Hide the commands toolbar (currently visible)"
                            : "Show the commands toolbar (currently hidden)");
    Item("mnuPiecesToolbar")->setChecked(cool);
    Item("mnuPiecesToolbar")
        ->setStatusTip(cool ? "Hide the piece toolbar (currently visible)"
                            : "Show the piece toolbar (currently hidden)");
    Item("mnuAnimateMoves")->setChecked(settings_.Animate);
    Item("mnuPlaySounds")->setChecked(settings_.PlaySounds);
    Item("mnuPlaySounds")->setEnabled(TSoundPlayer::HasWaveOutput());
}

void TMainWindow::mnuBoardPopup() {
    pieceStyles_->actions().at(diagram_.Board.PieceStyle())->setChecked(true);
    sidesToMove_->actions().at(SideToMoveItem(diagram_.Board.SideToMove()))->setChecked(true);
}

QMenu* TMainWindow::Menu(const QString& objectName) const { return findChild<QMenu*>(objectName); }

QAction* TMainWindow::Item(const QString& objectName) const {
    for (QAction* action : findChildren<QAction*>(objectName))
        if (action->objectName() == objectName) return action;
    for (QMenu* menu : findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            if (action->objectName() == objectName) return action;
    return nullptr;
}

QToolButton* TMainWindow::Button(const QString& objectName) const { return findChild<QToolButton*>(objectName); }

}  // namespace vorlix
