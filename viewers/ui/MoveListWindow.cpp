#include "viewers/ui/MoveListWindow.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include "viewers/MoveListPrint.h"
#include "viewers/ui/PgnPrintDialog.h"
#include "viewers/ui/PgnViewer.h"

namespace vorlix {

namespace {
constexpr int kNumberColumnWidth = 24;
constexpr int kRowHeight = 16;
constexpr int kBottomGap = 40;
}  // namespace

QPoint MoveListPlace(const QRect& viewerFrame, QSize ownSize, const QRect& screen, const QRect& keepFree) {
    int top = viewerFrame.top() + (viewerFrame.height() - ownSize.height()) / 2;
    top = std::max(screen.top(), std::min(top, screen.bottom() + 1 - kBottomGap - ownSize.height()));
    const int right = viewerFrame.right() + 1;
    const int left = viewerFrame.left() - ownSize.width();
    const bool rightFits = right + ownSize.width() <= screen.right() + 1;
    const bool leftFits = left >= screen.left();
    auto free = [&](int x) {
        const QRect own(QPoint(x, top), ownSize);
        return x >= screen.left() && own.right() <= screen.right() && !keepFree.intersects(own) &&
               !viewerFrame.intersects(own);
    };
    // Beside the viewer, else beside the main window, where neither is covered.
    for (const int x : {right, left, keepFree.right() + 1, keepFree.left() - ownSize.width()})
        if (!keepFree.isNull() && free(x)) return {x, top};
    if (rightFits) return {right, top};
    if (leftFits) return {left, top};
    return {viewerFrame.left() + (viewerFrame.width() - ownSize.width()) / 2, top};
}

TMoveListWindow::TMoveListWindow(TPgnViewer& viewer)
    : QWidget(&viewer, Qt::Tool), viewer_(viewer) {  // kept above its viewer, not above other programs
    setObjectName("frmMoveList");
    setWindowTitle("Move List");
    resize(240, 320);
    FsgrMoves = new QTableWidget(this);
    FsgrMoves->setObjectName("sgrMoves");
    FsgrMoves->setColumnCount(3);
    FsgrMoves->verticalHeader()->hide();
    FsgrMoves->verticalHeader()->setDefaultSectionSize(kRowHeight);
    FsgrMoves->verticalHeader()->setMinimumSectionSize(kRowHeight);
    FsgrMoves->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    FsgrMoves->horizontalHeader()->setHighlightSections(false);
    FsgrMoves->setSelectionMode(QAbstractItemView::SingleSelection);
    FsgrMoves->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FsgrMoves->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FsgrMoves->installEventFilter(this);
    FsgrMoves->viewport()->installEventFilter(this);
    connect(FsgrMoves, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { CurrentCellChanged(row, column); });
    // A click on the cell that is current already (the first move, right after
    // a game is loaded) changes no cell, yet asks for its position.
    connect(FsgrMoves, &QTableWidget::cellClicked, this, &TMoveListWindow::CellClicked);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(CreateMenu());
    layout->addWidget(FsgrMoves);
    Fill();
}

QMenuBar* TMoveListWindow::CreateMenu() {
    auto* bar = new QMenuBar(this);
    QMenu* printer = bar->addMenu("&Printer");
    printer->setObjectName("mnuPrinter");
    FmnuSetup = printer->addAction("&Setup", this, &TMoveListWindow::mnuSetupClick);
    FmnuLayout = printer->addAction("&Layout", this, &TMoveListWindow::mnuLayoutClick);
    FmnuPrint = printer->addAction("&Print", this, &TMoveListWindow::mnuPrintClick);
    return bar;
}

// ---- filling and following the replay

void TMoveListWindow::Fill() {
    filling_ = true;
    grid_ = BuildMoveGrid(viewer_.Chain(), viewer_.Chain().First ? viewer_.LoadedGame().Result : std::string(),
                          viewer_.PrintSettings().Notation);
    const int rows = static_cast<int>(grid_.Rows.size()) - 1;
    FsgrMoves->clearContents();
    FsgrMoves->setRowCount(rows);
    const auto& header = grid_.Rows[0];
    FsgrMoves->setHorizontalHeaderLabels(
        {QString::fromStdString(header[0]), QString::fromStdString(header[1]), QString::fromStdString(header[2])});
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(grid_.Rows[static_cast<size_t>(r + 1)][c]));
            if (c == 0) {
                // The fixed column of move numbers.
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(palette().button());
            }
            FsgrMoves->setItem(r, c, item);
        }
    const bool loaded = viewer_.Chain().First != nullptr;
    FsgrMoves->setEnabled(loaded);
    viewer_.Chain().GoFirst();
    if (loaded && rows > 0) FsgrMoves->setCurrentCell(0, 1);
    filling_ = false;
}

void TMoveListWindow::SelectCurrentCell() {
    const TPGNPos& chain = viewer_.Chain();
    if (!chain.Current) return;
    const TGridCell cell = CellOfPosition(chain.CurrentIndex(), grid_.WhiteFirst);
    if (cell.Row - 1 >= FsgrMoves->rowCount()) return;
    filling_ = true;
    FsgrMoves->setCurrentCell(cell.Row - 1, cell.Col);
    filling_ = false;
}

void TMoveListWindow::CurrentCellChanged(int row, int column) {
    // Only the user's choice (a click or an arrow key) moves the replay.
    if (filling_ || row < 0 || column < 1) return;
    viewer_.GoToPosition(PositionOfCell({row + 1, column}, grid_.WhiteFirst));
}

void TMoveListWindow::CellClicked(int row, int column) {
    const TPGNPos& chain = viewer_.Chain();
    if (filling_ || row < 0 || column < 1 || !chain.Current) return;
    // The cell after the last move (the result) stands for the last position.
    const int position = std::min(PositionOfCell({row + 1, column}, grid_.WhiteFirst), chain.PositionCount() - 1);
    if (position != chain.CurrentIndex()) viewer_.GoToPosition(position);
}

bool TMoveListWindow::ArrowKey(int key) {
    const int row = FsgrMoves->currentRow();
    const int column = FsgrMoves->currentColumn();
    if (key == Qt::Key_Left && column == 1 && row > 0) {
        FsgrMoves->setCurrentCell(row - 1, 2);
        return true;
    }
    if (key == Qt::Key_Right && column == 2 && row < FsgrMoves->rowCount() - 1) {
        FsgrMoves->setCurrentCell(row + 1, 1);
        return true;
    }
    return false;
}

void TMoveListWindow::SetHighlightFocused(bool on) {
    highlightFocused_ = on;
    QPalette p = FsgrMoves->palette();
    const QPalette standard = palette();
    p.setColor(QPalette::Highlight, on ? standard.color(QPalette::Highlight) : standard.color(QPalette::Base));
    p.setColor(QPalette::HighlightedText,
               on ? standard.color(QPalette::HighlightedText) : standard.color(QPalette::Text));
    FsgrMoves->setPalette(p);
}

bool TMoveListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FsgrMoves && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Left || key == Qt::Key_Right) && ArrowKey(key)) return true;
    }
    if (watched == FsgrMoves->viewport() && event->type() == QEvent::Resize) SizeColumns();
    if (watched == FsgrMoves->viewport() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        SetHighlightFocused(!highlightFocused_);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- placement and size

void TMoveListWindow::ShowBeside() {
    const QScreen* screen = viewer_.screen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1600, 1000);
    const QSize frameSize = frameGeometry().size().isValid() ? frameGeometry().size() : size();
    const QWidget* main = viewer_.Host().HostWindow();
    move(MoveListPlace(viewer_.frameGeometry(), frameSize, area, main ? main->frameGeometry() : QRect()));
    show();
}

void TMoveListWindow::SizeColumns() {
    const int client = FsgrMoves->viewport()->width();
    // Wide enough for three-digit move numbers in the font on show.
    const int numbers = std::max(kNumberColumnWidth, FsgrMoves->fontMetrics().horizontalAdvance("888.") + 6);
    const int half = (client - numbers) / 2 - 1;
    FsgrMoves->setColumnWidth(0, numbers);
    FsgrMoves->setColumnWidth(1, half);
    FsgrMoves->setColumnWidth(2, half);
}

void TMoveListWindow::ShowNotation() {
    grid_ = BuildMoveGrid(viewer_.Chain(), viewer_.Chain().First ? viewer_.LoadedGame().Result : std::string(),
                          viewer_.PrintSettings().Notation);
    filling_ = true;
    for (int r = 0; r < FsgrMoves->rowCount() && r + 1 < static_cast<int>(grid_.Rows.size()); ++r)
        for (int c = 1; c < 3; ++c)
            if (QTableWidgetItem* item = FsgrMoves->item(r, c))
                item->setText(QString::fromStdString(grid_.Rows[static_cast<size_t>(r + 1)][c]));
    filling_ = false;
}

// ---- printing

void TMoveListWindow::mnuSetupClick() { viewer_.Host().PrinterSetup(); }

void TMoveListWindow::mnuLayoutClick() {
    TPgnPrintDialog dialog(viewer_.PrintSettings(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const TNotation was = viewer_.PrintSettings().Notation;
    viewer_.PrintSettings() = dialog.Settings();
    if (viewer_.PrintSettings().Notation == was) return;
    ShowNotation();
    viewer_.UpdateButtons();  // the last-move label
}

void TMoveListWindow::mnuPrintClick() {
    QPrinter& printer = viewer_.Host().Printer();
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    PrintGame(printer);
}

void TMoveListWindow::PrintGame(QPrinter& printer) {
    printer.setDocName("Chess Vorlix PGN game");
    TPagedCanvas canvas(printer);
    if (!canvas.Begin()) return;
    TMoveListPrintJob job{viewer_.windowTitle(), viewer_.LoadedGame(), grid_, viewer_.PrintSettings()};
    if (!PrintMoveList(canvas, job)) printer.abort();
}

}  // namespace vorlix
