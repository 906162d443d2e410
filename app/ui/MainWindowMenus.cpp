// The main window's menus and toolbars, built from the command table.
#include <QActionGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QToolButton>

#include "app/Clipboard.h"
#include "settings/Settings.h"
#include "app/ui/BoardEditor.h"
#include "app/ui/MainWindow.h"
#include "common/ui/PlayWave.h"
#include "board/UndoList.h"
#include "board/ui/BoardControl.h"
#include "board/ui/PieceButtonIcon.h"

namespace vorlix {
namespace {

const QStringList kImageScaleCaptions = {" 40 %", " 60 %", " 80 %", " 90 %", "100 %", "125 %", "150 %", "200 %"};
const QStringList kImageScaleHints = {
    "Set image size to be 40% of the diagram size",  "Set image size to be 60% of the diagram size",
    "Set image size to be 80% of the diagram size",  "Set image size to be 90% of the diagram size",
    "Do not resize the images",                      "Set image size to be 125% of the diagram size",
    "Set image size to be 150% of the diagram size", "Set image size to be 200% of the diagram size"};
const QStringList kPrintScaleCaptions = {"100 %", "125 %", "150 %", "175 %", "200 %", "225 %",
                                         "250 %", "275 %", "300 %", "400 %", "500 %", "600 %"};
const QStringList kPrintScaleHints = {
    "Do not scale the diagram when printing",     "Enlarge the diagram by 25% when printing",
    "Enlarge the diagram by 50% when printing",   "Enlarge the diagram by 75% when printing",
    "Enlarge the diagram by 100% when printing",  "Enlarge the diagram by 125% when printing",
    "Enlarge the diagram by 150% when printing",  "Enlarge the diagram by 175% when printing",
    "Enlarge the diagram by 200% when printing",  "Enlarge the diagram by 300% when printing",
    "Enlarge the diagram by 400% when printing",  "Enlarge the diagram by 500% when printing"};
const QStringList kClipboardCaptions = {"&Monochrome Bitmap", "&16 Color Bitmap", "&256 Color Bitmap",
                                        "&True Color Bitmap", "&EPD Text",        "&Plain Text",
                                        "&Setup Text"};
const QStringList kClipboardHints = {"Set the format to 2-color (B/W) bitmap image",
                                     "Set the format to 16-color bitmap image",
                                     "Set the format to 256-color bitmap image",
                                     "Set the format to true color bitmap image",
                                     "Set format to the not so readable epd format",
                                     "Set format to ASCII text impersonating a chess diagram",
                                     "Set format to a readable text format"};
const QStringList kPieceStyleCaptions = {"S&mart", "&Roviravo", "&Roruvoz"};
const QStringList kPieceStyleHints = {"Select the \"Riroz\" piecestyle", "Select the \"Roviravo\" piecestyle",
                                      "Select the \"Roruvoz\" piecestyle"};
const QStringList kPieceNames = {"king", "queen", "bishop", "knight", "rook", "pawn"};
const QStringList kInsertCaptions = {"&King", "&Queen", "&Bishop", "K&night", "&Rook", "&Pawn", "&Cross", "&Dot"};
const QStringList kInsertNames = {"king", "queen", "bishop", "knight", "rook", "pawn", "cross", "dot"};
const QStringList kInsertObjectNames = {"King", "Queen", "Bishop", "Knight", "Rook", "Pawn", "Cross", "Dot"};

}  // namespace

QMenu* TfrmQuenlix::AddMenu(QMenu* parent, const char* name, const QString& caption, const QString& hint) {
    QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    menu->menuAction()->setStatusTip(hint);
    return menu;
}

QAction* TfrmQuenlix::AddItem(QMenu* menu, const char* name, const QString& caption, const QString& hint,
                              void (TfrmQuenlix::*handler)(), const QKeySequence& shortcut) {
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

QActionGroup* TfrmQuenlix::AddRadioItems(QMenu* menu, const char* prefix, const QStringList& captions,
                                         const QStringList& hints, void (TfrmQuenlix::*handler)(int)) {
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

void TfrmQuenlix::CreateMenus() {
    CreateFileMenu();
    CreateEditMenu();
    CreateOptionsMenu();
    CreateBoardMenu();
    CreateConfigureMenu();
    CreateHelpMenu();
}

void TfrmQuenlix::CreateFileMenu() {
    QMenu* m = AddMenu(nullptr, "mnuFile", "&File", "File and printer options");
    connect(m, &QMenu::aboutToShow, this, &TfrmQuenlix::mnuFilePopup);
    // Beside the keys of the command table, the keys every desktop program knows.
    AddItem(m, "mnuFileNew", "&New", "Start editing a new diagram", &TfrmQuenlix::mnuFileNewClick,
            QKeySequence("Ctrl+N"));
    AddItem(m, "mnuFileOpen", "&Open...", "Open a chess file", &TfrmQuenlix::mnuFileOpenClick, Qt::Key_F7)
        ->setShortcuts({QKeySequence(Qt::Key_F7), QKeySequence("Ctrl+O")});
    AddMenu(m, "mnuFileReopen", "&Reopen", "Reopen a chess file")->setEnabled(false);
    m->addSeparator();
    AddItem(m, "mnuFileSave", "&Save", "Save current chess diagram", &TfrmQuenlix::mnuFileSaveClick,
            QKeySequence("Ctrl+S"));
    AddItem(m, "mnuFileSaveAs", "Save &As...", "Save current diagram to a new file",
            &TfrmQuenlix::mnuFileSaveAsClick, QKeySequence("Ctrl+Shift+S"));
    AddItem(m, "mnuFileSaveEPD", "Save as &EPD...", "Save current position to an EPD file",
            &TfrmQuenlix::mnuFileSaveEPDClick, QKeySequence("Ctrl+E"));
    AddItem(m, "mnuFileSaveImage", "Save as &Image...", "Save current diagram as an image",
            &TfrmQuenlix::spbSaveImgClick, QKeySequence("Ctrl+I"));
    m->addSeparator();
    AddItem(m, "mnuFilePrinterSetup", "Printer Set&up...", "Select a printer and configure some of its settings",
            &TfrmQuenlix::mnuFilePrinterSetupClick);
    AddItem(m, "mnuFilePreview", "Print Pre&view...", "Preview how your diagrams will look when printed",
            &TfrmQuenlix::mnuFilePreviewClick);
    AddItem(m, "mnuFilePrint", "&Print", "Print the current diagram", &TfrmQuenlix::mnuFilePrintClick,
            QKeySequence("Ctrl+P"));
    m->addSeparator();
    AddItem(m, "mnuFileExit", "E&xit", "Leave Chess Vorlix", &TfrmQuenlix::mnuFileExitClick, QKeySequence("Ctrl+Q"));
}

void TfrmQuenlix::CreateEditMenu() {
    QMenu* m = AddMenu(nullptr, "mnuEdit", "&Edit", "Clipboard related options");
    connect(m, &QMenu::aboutToShow, this, &TfrmQuenlix::mnuEditPopup);
    FmnuEditUndo = AddItem(m, "mnuEditUndo", "&Undo", "Undo your latest changes to the current diagram",
                           &TfrmQuenlix::mnuEditUndoClick, QKeySequence("Ctrl+Z"));
    FmnuEditRedo = AddItem(m, "mnuEditRedo", "&Redo", "Redo any undone changes to the current diagram",
                           &TfrmQuenlix::mnuEditRedoClick, QKeySequence("Shift+Ctrl+Z"));
    m->addSeparator();
    FmnuEditCut = AddItem(m, "mnuEditCut", "Cu&t", "Copy current diagram to the clipboard and clear board",
                          &TfrmQuenlix::mnuEditCutClick, QKeySequence("Ctrl+X"));
    AddItem(m, "mnuEditCopy", "&Copy", "Copy current diagram to the clipboard", &TfrmQuenlix::mnuEditCopyClick,
            QKeySequence("Ctrl+C"));
    FmnuEditPaste = AddItem(m, "mnuEditPaste", "&Paste",
            "Paste text from the clipboard and translate it into a diagram (if possible)",
            &TfrmQuenlix::mnuEditPasteClick, QKeySequence("Ctrl+V"));
    m->addSeparator();
    QMenu* formats = AddMenu(m, "mnuClipboardFormat", "C&lipboard Format",
                             "Select a format for copying diagrams to the clipboard");
    FClipboardFormats = AddRadioItems(formats, "mnuClipboardFormat", kClipboardCaptions, kClipboardHints,
                                      &TfrmQuenlix::mnuClipboardFormatClick);
    // The item names end in the character that selects the format.
    const char* clipboardItemNames[] = {"mnuEditClipBmp1", "mnuEditClipBmp4", "mnuEditClipBmp8", "mnuEditClipBmpT",
                                        "mnuEditClipEPD",  "mnuEditClipPlain", "mnuEditClipSetup"};
    for (int i = 0; i < FClipboardFormats->actions().size(); ++i)
        FClipboardFormats->actions().at(i)->setObjectName(clipboardItemNames[i]);
    FmnuEditEmptyClipboard = AddItem(m, "mnuEditEmptyClipboard", "&Empty Clipboard",
                                     "Remove any bitmap image from the clipboard",
                                     &TfrmQuenlix::mnuEditEmptyClipboardClick);
}

void TfrmQuenlix::CreateOptionsMenu() {
    QMenu* m = AddMenu(nullptr, "mnuOptions", "&Options", "Configure some of Chess Vorlix's settings");
    connect(m, &QMenu::aboutToShow, this, &TfrmQuenlix::mnuOptionsPopup);
    AddItem(m, "mnuAnimateMoves", "Animate &Moves", "Toggle the animate moves setting (used in the PGN viewer)",
            &TfrmQuenlix::mnuAnimateMovesClick)
        ->setCheckable(true);
    AddItem(m, "mnuAnimationSpeed", "&Animation Speed...", "Set speed for move animation in PGN viewer",
            &TfrmQuenlix::mnuAnimationSpeedClick);
    AddItem(m, "mnuJPGQuality", "JPG &Quality...",
            "Select image quality for when saving your diagram as JPEG images", &TfrmQuenlix::mnuJPGQualityClick);
    m->addSeparator();
    QMenu* image = AddMenu(m, "mnuImageScaling", "&Image Scaling",
                           "Select at what image size to save, cut and copy your chess diagrams");
    FImageScales = AddRadioItems(image, "mnuImageScale", kImageScaleCaptions, kImageScaleHints,
                                 &TfrmQuenlix::mnuImageScaleClick);
    QMenu* print = AddMenu(m, "mnuPrintScaling", "&Print Scaling", "Select at what size to print your chess diagrams");
    FPrintScales = AddRadioItems(print, "mnuPrintScale", kPrintScaleCaptions, kPrintScaleHints,
                                 &TfrmQuenlix::mnuPrintScaleClick);
    QMenu* toolbars = AddMenu(m, "mnuToolbars", "&Toolbars", "Hide or show certain toolbars");
    AddItem(toolbars, "mnuCommandsToolbar", "&Commands Toolbar", "", &TfrmQuenlix::mnuCommandsToolbarClick)
        ->setCheckable(true);
    AddItem(toolbars, "mnuPiecesToolbar", "&Pieces Toolbar", "", &TfrmQuenlix::mnuPiecesToolbarClick)
        ->setCheckable(true);
    m->addSeparator();
    AddItem(m, "mnuPlaySounds", "Play &Sounds", "Use Chess Vorlix with or without sound",
            &TfrmQuenlix::mnuPlaySoundsClick)
        ->setCheckable(true);
}

void TfrmQuenlix::CreateBoardMenu() {
    QMenu* m = AddMenu(nullptr, "mnuBoard", "&Board", "Configure the chess board and its squares");
    connect(m, &QMenu::aboutToShow, this, &TfrmQuenlix::mnuBoardPopup);
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
            &TfrmQuenlix::mnuClearBoardClick);
    // Ctrl+I and Ctrl+S belong to the File menu; here they are only shown.
    AddItem(m, "mnuBoardInvert", "&Invert Board\tCtrl+I", "Flip the chess board around",
            &TfrmQuenlix::mnuInvertBoardClick);
    AddItem(m, "mnuBoardStartPos", "&Starting Position\tCtrl+S", "Setup the starting position",
            &TfrmQuenlix::mnuStartingPositionClick);
    QMenu* styles = AddMenu(m, "mnuPieceStyle", "Piece St&yle", "Select a piece style");
    FPieceStyles = AddRadioItems(styles, "mnuPieceStyle", kPieceStyleCaptions, kPieceStyleHints,
                                 &TfrmQuenlix::mnuPieceStyleClick);
    m->addSeparator();
    AddItem(m, "mnuSelectAll", "Select &All", "Select all squares");
    AddItem(m, "mnuUnselectAll", "&Unselect All", "Unselect all selected squares");
}

void TfrmQuenlix::CreateConfigureMenu() {
    QMenu* m = AddMenu(nullptr, "mnuConfigure", "&Configure", "Configure the diagram header, footer and the board");
    AddItem(m, "mnuConfigureHeader", "&Header...", "Configure the diagram header", &TfrmQuenlix::mnuConfigureHeaderClick,
            QKeySequence("Ctrl+H"));
    AddItem(m, "mnuConfigureBoard", "&Board...", "Change one or more of the many board layout settings",
            &TfrmQuenlix::mnuConfigureBoardClick, QKeySequence("Ctrl+B"));
    AddItem(m, "mnuConfigureFooter", "&Footer...", "Configure the diagram footer", &TfrmQuenlix::mnuConfigureFooterClick,
            QKeySequence("Ctrl+F"));
}

void TfrmQuenlix::CreateHelpMenu() {
    QMenu* m = AddMenu(nullptr, "mnuHelp", "&Help", "");
    AddItem(m, "mnuHelpContents", "&Contents", "Show the contents of Chess Vorlix's help file",
            &TfrmQuenlix::mnuHelpContentsClick, Qt::Key_F1);
    AddItem(m, "mnuHelpSearch", "&Search for Help on...", "Search for a specific topic in the help file index",
            &TfrmQuenlix::mnuHelpSearchClick);
    AddItem(m, "mnuHelpHowTo", "&How to Use Help", "Beginners guide on how to work with help files",
            &TfrmQuenlix::mnuHelpHowToClick);
    AddItem(m, "mnuHelpQuickStart", "&Quick Start Information",
            "Some need to know topics for working with Chess Vorlix", &TfrmQuenlix::mnuHelpQuickStartClick);
    m->addSeparator();
    AddItem(m, "mnuHelpTips", "&Tip of the Day...", "Show tip of the day window", &TfrmQuenlix::mnuHelpTipsClick);
    m->addSeparator();
    AddItem(m, "mnuHelpWeb", "Chess Vorlix on the &Web", "Visit the Chess Vorlix web page",
            &TfrmQuenlix::mnuWebPageClick);
    AddItem(m, "mnuHelpMail", "Send &Mail...", "Write a message to the makers of Chess Vorlix",
            &TfrmQuenlix::mnuEmailClick);
}

QToolButton* TfrmQuenlix::AddButton(const char* name, const QString& icon, const QString& tooltip,
                                    const QString& statusText, void (TfrmQuenlix::*handler)()) {
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

void TfrmQuenlix::CreateCommandsToolbar() {
    auto* row = new QHBoxLayout(FpnlToolbar);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(0);
    auto gap = [row] { row->addSpacing(6); };
    AddButton("spbNew", "new", "New Diagram", "Start editing a new diagram", &TfrmQuenlix::mnuFileNewClick);
    AddButton("spbOpenFile", "open", "Open a File", "Open a chess file", &TfrmQuenlix::mnuFileOpenClick);
    AddButton("spbSaveEPD", "save", "Save Diagram", "Save current chess diagram", &TfrmQuenlix::mnuFileSaveClick);
    AddButton("spbSaveImg", "image", "Save Diagram as Image", "Save current diagram as an image",
              &TfrmQuenlix::spbSaveImgClick)
        ->setEnabled(false);  // enabled once the window has shown
    gap();
    AddButton("spbCut", "cut", "Cut Diagram to Clipboard", "Copy current diagram to the clipboard and clear board",
              &TfrmQuenlix::mnuEditCutClick);
    AddButton("spbClipboard", "copy", "Copy Diagram to Clipboard", "Copy current diagram to the clipboard",
              &TfrmQuenlix::mnuEditCopyClick);
    AddButton("spbPaste", "paste", "Paste",
              "Paste text from the clipboard and translate it into a diagram (if possible)",
              &TfrmQuenlix::spbPasteClick);
    gap();
    AddButton("spbUndo", "undo", "Undo Changes", "Undo your latest changes to the current diagram",
              &TfrmQuenlix::mnuEditUndoClick);
    AddButton("spbRedo", "redo", "Redo Changes", "Redo any undone changes to the current diagram",
              &TfrmQuenlix::mnuEditRedoClick);
    gap();
    AddButton("spbPrint", "print", "Print Diagram", "Print the current diagram", &TfrmQuenlix::mnuFilePrintClick);
    AddButton("spbPreview", "preview", "Print Preview", "Preview how your diagrams will look when printed",
              &TfrmQuenlix::mnuFilePreviewClick);
    gap();
    AddButton("spbStartPos", "startpos", "Starting Position", "Setup the starting position",
              &TfrmQuenlix::mnuStartingPositionClick);
    AddButton("spbClearBoard", "clear", "Clear Board", "Remove all pieces from the chess board",
              &TfrmQuenlix::mnuClearBoardClick);
    AddButton("spbFlipBoard", "flip", "Invert Chess Board", "Flip the chess board around",
              &TfrmQuenlix::mnuInvertBoardClick);
    gap();
    AddButton("spbHeader", "header", "Customize Header", "Configure the diagram header",
              &TfrmQuenlix::mnuConfigureHeaderClick);
    AddButton("spbCustomize", "board", "Customize Board", "Change one or more of the many board layout settings",
              &TfrmQuenlix::mnuConfigureBoardClick);
    AddButton("spbFooter", "footer", "Customize Footer", "Configure the diagram footer",
              &TfrmQuenlix::mnuConfigureFooterClick);
    row->addStretch(1);
}

void TfrmQuenlix::CreatePiecesToolbar() {
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
        FPieceButtons.push_back(button);
        if (code == 6) row->addSpacing(8);
    }
    row->addStretch(1);
}

void TfrmQuenlix::DrawPieceButtons() {
    for (QToolButton* button : FPieceButtons)
        button->setIcon(PieceButtonIcon(FDiagram.Board, button->property("tag").toInt(), devicePixelRatioF()));
}

void TfrmQuenlix::PieceButtonClick(QToolButton* button) {
    // In selection mode the buttons are push buttons that fill the selection;
    // in insert mode they form a group in which at most one is down.
    if (!button->isCheckable()) return FBoardEditor->PieceButtonClick(button);
    for (QToolButton* other : FPieceButtons)
        if (other != button) other->setChecked(false);
}

void TfrmQuenlix::UpdatePieceButtonMode() {
    const bool selecting = FDiagram.Board.SelectedCount() > 0;
    bool anyDown = false;
    for (QToolButton* button : FPieceButtons) {
        if (selecting) button->setChecked(false);
        button->setCheckable(!selecting);
        anyDown = anyDown || button->isChecked();
    }
    FkxChessBrd1->setCursor(anyDown ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TfrmQuenlix::mnuEditPopup() {
    UpdateCommandStates();
    FClipboardFormats->actions().at(FSettings.ClipboardFormat)->setChecked(true);
}

void TfrmQuenlix::UpdateCommandStates() {
    const bool canUndo = FUndoList->CanUndo(), canRedo = FUndoList->CanRedo();
    const bool hasContent = !FDiagram.Board.IsEmpty(), holdsText = FClipboard->HoldsText();
    FmnuEditUndo->setEnabled(canUndo);
    FmnuEditRedo->setEnabled(canRedo);
    FmnuEditCut->setEnabled(hasContent);
    FmnuEditPaste->setEnabled(holdsText);
    FmnuEditEmptyClipboard->setEnabled(FClipboard->HoldsBitmap());
    Button("spbUndo")->setEnabled(canUndo);
    Button("spbRedo")->setEnabled(canRedo);
    Button("spbCut")->setEnabled(hasContent);
    Button("spbPaste")->setEnabled(holdsText);
    if (FBoardEditor) FBoardEditor->UpdateBoardMenu();
}

void TfrmQuenlix::mnuOptionsPopup() {
    FImageScales->actions().at(FSettings.ImageScale)->setChecked(true);
    FPrintScales->actions().at(FSettings.PrintScale)->setChecked(true);
    const bool tool = !FpnlToolbar->isHidden(), cool = !FpnlFakeCoolBar->isHidden();
    Item("mnuCommandsToolbar")->setChecked(tool);
    Item("mnuCommandsToolbar")->setStatusTip(tool ? "Hide the commands toolbar (currently visible)"
                                                  : "Show the commands toolbar (currently hidden)");
    Item("mnuPiecesToolbar")->setChecked(cool);
    Item("mnuPiecesToolbar")->setStatusTip(cool ? "Hide the piece toolbar (currently visible)"
                                                : "Show the piece toolbar (currently hidden)");
    Item("mnuAnimateMoves")->setChecked(FSettings.Animate);
    Item("mnuPlaySounds")->setChecked(FSettings.PlaySounds);
    Item("mnuPlaySounds")->setEnabled(TSoundPlayer::HasWaveOutput());
}

void TfrmQuenlix::mnuBoardPopup() { FPieceStyles->actions().at(FDiagram.Board.PieceStyle())->setChecked(true); }

QMenu* TfrmQuenlix::Menu(const QString& objectName) const { return findChild<QMenu*>(objectName); }

QAction* TfrmQuenlix::Item(const QString& objectName) const {
    for (QAction* action : findChildren<QAction*>(objectName))
        if (action->objectName() == objectName) return action;
    for (QMenu* menu : findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            if (action->objectName() == objectName) return action;
    return nullptr;
}

QToolButton* TfrmQuenlix::Button(const QString& objectName) const { return findChild<QToolButton*>(objectName); }

}  // namespace vorlix
