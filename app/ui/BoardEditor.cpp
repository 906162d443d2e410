#include "app/ui/BoardEditor.h"

#include <QActionGroup>
#include <QColorDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QToolButton>

#include "app/ui/MainWindow.h"
#include "app/ui/PromoteDialog.h"
#include "board/DiagramBoard.h"
#include "board/ui/BoardControl.h"
#include "common/ui/Hourglass.h"
#include "settings/Settings.h"

namespace vorlix {

namespace {

struct TInsertItem {
    const char* Suffix;
    const char* Caption;
    const char* Name;
    int WhiteCode;
};
constexpr TInsertItem kInsertItems[] = {
    {"King", "&King", "king", 1},           {"Queen", "&Queen", "queen", 2}, {"Bishop", "&Bishop", "bishop", 3},
    {"Knight", "K&night", "knight", 4},     {"Rook", "&Rook", "rook", 5},    {"Pawn", "&Pawn", "pawn", 6},
    {"Cross", "&Cross", "cross", pcWCross}, {"Dot", "&Dot", "dot", pcWDot},
};
constexpr const char* kSides[] = {"White", "Black"};

int InsertCode(const TInsertItem& item, bool black) {
    if (!black) return item.WhiteCode;
    return item.WhiteCode <= 6 ? item.WhiteCode + 6 : item.WhiteCode + 2;
}

int TagOf(const QToolButton* button) { return button->property("tag").toInt(); }

std::optional<TColor> ChooseColorInDialog(QWidget* parent, TColor initial) {
    const QColor color = QColorDialog::getColor(ColorToQColor(initial), parent);
    if (!color.isValid()) return std::nullopt;
    return RgbToColor(color.rgb());
}

const QString kHLClearHint = "Clear all highlighting settings the %1";
const QString kHLMergeHint = "Merge the highlighting settings of the %1 with the square colors";
const QString kHLUnmergeHint = "Unmerge the highlighting settings of the %1 with the square colors";
const QString kHLOptionHint = "Highlight the %1 with highlighting color #%2";
const QString kInsertHint = "Insert a %1 %2 on the %3";
const QString kPopupSquares = "selected/clicked square(s)";

}  // namespace

TBoardEditor::TBoardEditor(TMainWindow& window, TAppSettings& settings, TBoardControl& control,
                           const std::vector<QToolButton*>& pieceButtons)
    : QObject(&window),
      window_(window),
      settings_(settings),
      board_(window.Board()),
      control_(control),
      pieceButtons_(pieceButtons) {
    chooseColor_ = [this](TColor initial) { return ChooseColorInDialog(&window_, initial); };
    ConnectBoard();
    ConnectBoardMenu();
    CreatePopupMenu();
}

TBoardEditor::~TBoardEditor() {
    board_.OnLeftClick = nullptr;
    board_.OnRightClick = nullptr;
    board_.OnPromotion = nullptr;
    board_.OnMove = nullptr;
}

// ---- Board events -------------------------------------------------------------

void TBoardEditor::ConnectBoard() {
    connect(&control_, &TBoardControl::MousePressed, this, [this] { BoardMouseDown(); });
    connect(&control_, &TBoardControl::MarkDrawn, this, &TBoardEditor::BoardMarkDrawn);
    board_.OnLeftClick = [this](TDiagramBoard&, QPoint square, bool, bool, bool, int, int, int) {
        BoardLeftClick(square);
    };
    board_.OnRightClick = [this](TDiagramBoard&, QPoint square, bool selected, bool highlighted, bool merged, int piece,
                                 int x, int y) {
        BoardRightClick({square, piece, selected, highlighted, merged}, QPoint(x, y));
    };
    board_.OnPromotion = [this](TDiagramBoard&, int& piece, bool& cancel) { BoardPromotion(piece, cancel); };
    board_.OnMove = [this](TDiagramBoard&, QPoint, QPoint, int) { window_.MarkModified(); };
}

QToolButton* TBoardEditor::DownPieceButton() const {
    for (QToolButton* button : pieceButtons_)
        if (button->isCheckable() && button->isChecked()) return button;
    return nullptr;
}

void TBoardEditor::BoardMouseDown() { board_.SetMove(DownPieceButton() == nullptr); }

void TBoardEditor::BoardLeftClick(QPoint square) {
    QToolButton* button = DownPieceButton();
    if (!button) return;
    board_.SetPiece(square.x(), square.y(), TagOf(button));
    board_.RedrawSquare(square);
    window_.MarkModified();
}

void TBoardEditor::BoardRightClick(const TRightClick& click, QPoint pos) {
    rightClick_ = click;
    FpopBoard->popup(control_.mapToGlobal(pos));
}

void TBoardEditor::BoardMarkDrawn(int from, int to, TMarkColor color) {
    board_.SetMarks(WithMarkToggled(board_.Marks(), from, to, color));
    window_.MarkModified();
}

void TBoardEditor::BoardPromotion(int& piece, bool& cancel) {
    TPromoteDialog dialog(board_, piece, &window_);
    dialog.exec();
    piece = dialog.PieceCode();
    cancel = dialog.Cancel();
}

void TBoardEditor::PieceButtonClick(QToolButton* button) {
    if (button->isCheckable()) return;  // insert mode: the button only goes down or up
    board_.SetPieceOnSelection(TagOf(button));
    window_.MarkModified();
}

// ---- Keys ---------------------------------------------------------------------

bool TBoardEditor::KeyPress(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Delete) {
        board_.SetPieceOnSelection(0);
        window_.MarkModified();
        return true;
    }
    const QString text = event.text();
    const char32_t character = text.size() == 1 ? text.at(0).unicode() : 0;
    // By key, not by character: Ctrl+H types the same control character.
    const bool backspace = event.key() == Qt::Key_Backspace;
    const std::optional<int> code = backspace ? std::optional<int>(0) : CodeOfTypedKey(character);
    if (!code && character != ' ') return false;
    THourglass hourglass;
    if (code) {
        board_.SetPieceOnSelection(*code);
    } else {
        board_.UnselectAll();
        board_.Refresh();
    }
    window_.MarkModified();
    return true;
}

// ---- The Board menu -------------------------------------------------------------

void TBoardEditor::EditSelection(const std::function<void()>& edit) {
    edit();
    window_.MarkModified();
}

void TBoardEditor::HighlightOption(int index) {
    const THighlightOption& option = settings_.HighLight[size_t(index)];
    EditSelection([&] { board_.HighlightSelection(option.Color, option.Merge, false); });
}

void TBoardEditor::HighlightCustom() {
    const std::optional<TColor> color = chooseColor_(customColor_);
    if (!color) return;
    customColor_ = *color;
    EditSelection([&] { board_.HighlightSelection(*color, false, false); });
}

void TBoardEditor::ConnectBoardMenu() {
    auto on = [this](const QString& name, std::function<void()> handler) {
        if (QAction* item = window_.Item(name)) connect(item, &QAction::triggered, this, std::move(handler));
    };
    on("mnuBoardDefect", [this] { EditSelection([this] { board_.DefectSelection(); }); });
    on("mnuBoardDelete", [this] { EditSelection([this] { board_.SetPieceOnSelection(0); }); });
    on("mnuHLClear", [this] { EditSelection([this] { board_.UnhighlightSelection(); }); });
    on("mnuHLMerge", [this] { EditSelection([this] { board_.SetMergeSelection(true); }); });
    on("mnuHLUnmerge", [this] { EditSelection([this] { board_.SetMergeSelection(false); }); });
    for (int i = 0; i < 4; ++i) on(QString("mnuHLOption%1").arg(i + 1), [this, i] { HighlightOption(i); });
    on("mnuHLCustom", [this] { HighlightCustom(); });
    for (int side = 0; side < 2; ++side)
        for (const TInsertItem& item : kInsertItems) {
            const int code = InsertCode(item, side == 1);
            on(QString("mnuInsert%1%2").arg(kSides[side], item.Suffix),
               [this, code] { EditSelection([this, code] { board_.SetPieceOnSelection(code); }); });
        }
    // Selection changes are marked modified by the focus-change event.
    on("mnuSelectAll", [this] { board_.SelectAll(); });
    on("mnuUnselectAll", [this] {
        board_.UnselectAll();
        board_.Refresh();
    });
    if (QMenu* menu = window_.Menu("mnuBoard"))
        connect(menu, &QMenu::aboutToShow, this, &TBoardEditor::UpdateBoardMenu);
}

void TBoardEditor::UpdateBoardMenu() { ApplyMenuState(BoardMenuState(board_), "mnu", false); }

void TBoardEditor::ApplyMenuState(const TEditMenuState& state, const QString& prefix, bool popup) {
    // The items are looked up once: the Board menu's state is refreshed ten times a second.
    auto find = [&](const QString& suffix) -> QAction* {
        const QString name = prefix + suffix;
        const auto known = items_.constFind(name);
        if (known != items_.constEnd()) return known.value();
        QAction* found = nullptr;
        if (!popup) found = window_.Item(name);
        for (QAction* action : popup ? FpopBoard->findChildren<QAction*>(name) : QList<QAction*>())
            if (action->objectName() == name) found = action;
        items_.insert(name, found);
        return found;
    };
    auto enable = [&](const QString& suffix, bool enabled) {
        if (QAction* action = find(suffix)) action->setEnabled(enabled);
    };
    enable("BoardDefect", state.Defect);
    enable("BoardDelete", state.Delete);
    enable("Highlighting", state.Highlighting);
    enable("HLClear", state.Clear);
    enable("HLMerge", state.Merge);
    enable("HLUnmerge", state.Unmerge);
    for (int i = 1; i <= 4; ++i) enable(QString("HLOption%1").arg(i), true);
    enable("HLCustom", true);
    enable("InsertWhite", state.InsertWhite);
    enable("InsertBlack", state.InsertBlack);
    enable("SelectAll", state.SelectAll);
    enable("UnselectAll", state.UnselectAll);
    if (popup) {
        enable("Select", state.Select);
        enable("Unselect", state.Unselect);
    }
    for (int side = 0; side < 2; ++side)
        for (const TInsertItem& item : kInsertItems)
            enable(QString("Insert%1%2").arg(kSides[side], item.Suffix),
                   InsertCode(item, side == 1) != state.DisabledInsert);
}

// ---- The pop-up menu --------------------------------------------------------------

QAction* TBoardEditor::AddPopupItem(QMenu* menu, const QString& name, const QString& caption, const QString& hint,
                                    std::function<void()> handler) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    item->setParent(FpopBoard);
    item->setStatusTip(hint);
    connect(item, &QAction::triggered, this, std::move(handler));
    return item;
}

void TBoardEditor::AddMirrorItem(QMenu* menu, const QString& name, const QString& caption, const QString& mainItem) {
    QAction* main = window_.Item(mainItem);
    QAction* item = AddPopupItem(menu, name, caption, main ? main->statusTip() : QString(), [this, mainItem] {
        if (QAction* target = window_.Item(mainItem)) target->trigger();
    });
    item->setProperty("mirrors", mainItem);
}

void TBoardEditor::CreatePopupMenu() {
    FpopBoard = new QMenu(&window_);
    FpopBoard->setObjectName("popBoard");
    connect(FpopBoard, &QMenu::aboutToShow, this, &TBoardEditor::popBoardPopup);
    auto submenu = [this](QMenu* parent, const QString& name, const QString& caption, const QString& hint) {
        QMenu* menu = parent->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        menu->menuAction()->setStatusTip(hint);
        menu->menuAction()->setParent(FpopBoard);
        return menu;
    };
    QMenu* m = FpopBoard;
    AddMirrorItem(m, "popConfigure", "&Configure...", "mnuConfigureBoard");
    m->addSeparator();
    AddPopupItem(m, "popBoardDefect", "De&fect", "Convert all selected pieces to the enemy!",
                 [this] { PopupEdit([](TPopupEdits& e) { e.Defect(); }); });
    AddPopupItem(m, "popBoardDelete", "&Delete", "Remove all selected pieces from the board",
                 [this] { PopupEdit([](TPopupEdits& e) { e.Delete(); }); });
    QMenu* hl = submenu(m, "popHighlighting", "&Highlighting", "Set square highlighting");
    AddPopupItem(hl, "popHLClear", "C&lear", kHLClearHint.arg(kPopupSquares),
                 [this] { PopupEdit([](TPopupEdits& e) { e.ClearHighlight(); }); });
    AddPopupItem(hl, "popHLMerge", "&Merge", kHLMergeHint.arg(kPopupSquares),
                 [this] { PopupEdit([](TPopupEdits& e) { e.SetMerge(true); }); });
    AddPopupItem(hl, "popHLUnmerge", "&Unmerge", kHLUnmergeHint.arg(kPopupSquares),
                 [this] { PopupEdit([](TPopupEdits& e) { e.SetMerge(false); }); });
    hl->addSeparator();
    for (int i = 0; i < 4; ++i)
        AddPopupItem(hl, QString("popHLOption%1").arg(i + 1), QString("Option &%1").arg(i + 1),
                     kHLOptionHint.arg(kPopupSquares).arg(i + 1), [this, i] {
                         const THighlightOption& option = settings_.HighLight[size_t(i)];
                         PopupEdit([&](TPopupEdits& e) { e.Highlight(option.Color, option.Merge); });
                     });
    AddPopupItem(hl, "popHLCustom", "&Custom Color...",
                 "Highlight the selected/clicked square(s) selecting a custom color (merge setting will not change)",
                 [this] { PopupCustomColor(); });
    for (int side = 0; side < 2; ++side) {
        const QString colour = QString(kSides[side]).toLower();
        QMenu* insert = submenu(m, QString("popInsert") + kSides[side], QString("Insert &") + kSides[side],
                                "Insert " + colour + " pieces onto board");
        for (const TInsertItem& item : kInsertItems) {
            const int code = InsertCode(item, side == 1);
            AddPopupItem(insert, QString("popInsert%1%2").arg(kSides[side], item.Suffix), item.Caption,
                         kInsertHint.arg(colour, item.Name, kPopupSquares),
                         [this, code] { PopupEdit([code](TPopupEdits& e) { e.Insert(code); }); });
        }
    }
    m->addSeparator();
    AddMirrorItem(m, "popClearBoard", "C&lear Board", "mnuBoardClear");
    AddPopupItem(m, "popClearMarks", "Clear Arro&ws and Squares",
                 "Remove the arrows and coloured squares drawn on the board", [this] {
                     if (board_.Marks().Empty()) return;
                     board_.ClearMarks();
                     window_.MarkModified();
                 });
    // The File menu owns Ctrl+I and Ctrl+S; here, as in the Board menu, they are only shown.
    AddMirrorItem(m, "popInvertBoard", "&Invert Board\tCtrl+I", "mnuBoardInvert");
    AddMirrorItem(m, "popStartPos", "S&tarting Position\tCtrl+S", "mnuBoardStartPos");
    QMenu* styles = submenu(m, "popPieceStyle", "Piece St&yle", "Select a piece style");
    auto* styleGroup = new QActionGroup(styles);
    const char* styleCaptions[] = {"&Riroz", "&Roviravo", "&Roruvoz"};
    for (int i = 0; i < 3; ++i) {
        const QString name = QString("popPieceStyle%1").arg(i);
        AddMirrorItem(styles, name, styleCaptions[i], QString("mnuPieceStyle%1").arg(i));
        QAction* item = styles->actions().back();
        item->setCheckable(true);
        styleGroup->addAction(item);
    }
    QMenu* sides = submenu(m, "popSideToMove", "Side to &Move", "Set the side to move");
    auto* sideGroup = new QActionGroup(sides);
    const char* sideCaptions[] = {"&White to Move", "&Black to Move", "&Not Shown"};
    for (int i = 0; i < 3; ++i) {
        AddMirrorItem(sides, QString("popSideToMove%1").arg(i), sideCaptions[i], QString("mnuSideToMove%1").arg(i));
        QAction* item = sides->actions().back();
        item->setCheckable(true);
        sideGroup->addAction(item);
    }
    m->addSeparator();
    // Selection toggles are marked modified by the focus-change event.
    auto toggle = [this] { TPopupEdits(board_, rightClick_).ToggleSelection(); };
    AddPopupItem(m, "popSelect", "&Select", "Select square", toggle);
    AddPopupItem(m, "popUnselect", "&Unselect", "Unselect square", toggle);
    AddMirrorItem(m, "popSelectAll", "Select &All", "mnuSelectAll");
    AddMirrorItem(m, "popUnselectAll", "U&nselect All", "mnuUnselectAll");
}

void TBoardEditor::popBoardPopup() {
    ApplyMenuState(PopupMenuState(board_, rightClick_), "pop", true);
    if (QAction* clear = FpopBoard->findChild<QAction*>("popClearMarks")) clear->setEnabled(!board_.Marks().Empty());
    for (QAction* item : FpopBoard->findChildren<QAction*>()) {
        const QString mirrored = item->property("mirrors").toString();
        if (mirrored.startsWith("mnuConfigure"))
            if (QAction* main = window_.Item(mirrored)) item->setEnabled(main->isEnabled());
        if (item->objectName().startsWith("popPieceStyle") && item->isCheckable())
            item->setChecked(item->objectName().back().digitValue() == int(board_.PieceStyle()));
        if (item->objectName().startsWith("popSideToMove") && item->isCheckable()) {
            const TSideToMove side = board_.SideToMove();
            const int shown = side == TSideToMove::White ? 0 : side == TSideToMove::Black ? 1 : 2;
            item->setChecked(item->objectName().back().digitValue() == shown);
        }
    }
}

void TBoardEditor::PopupEdit(const std::function<void(TPopupEdits&)>& edit) {
    TPopupEdits edits(board_, rightClick_);
    edit(edits);
    window_.MarkModified();
}

void TBoardEditor::PopupCustomColor() {
    const std::optional<TColor> color = chooseColor_(customColor_);
    if (!color) return;
    customColor_ = *color;
    PopupEdit([&](TPopupEdits& e) { e.HighlightCustom(*color); });
}

}  // namespace vorlix
