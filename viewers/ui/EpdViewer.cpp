#include "viewers/ui/EpdViewer.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "board/DiagramBoard.h"
#include "common/ui/Hourglass.h"
#include "common/ui/LimitedEdit.h"
#include "common/ui/SoundMessageDlg.h"
#include "files/EPD.h"
#include "files/SafeFileWriter.h"
#include "help/ui/Help.h"
#include "rules/CastlingSquares.h"
#include "settings/Settings.h"
#include "viewers/EpdListModel.h"
#include "viewers/ui/NumberColumn.h"
#include "viewers/ui/ViewerWindow.h"

namespace vorlix {
namespace {

constexpr int kHelpContext = 3000;
constexpr int kMaxShowCount = 2000000;
constexpr int kDescriptionLength = 28;
constexpr int kEpLength = 2;
constexpr int kBestMoveLength = 14;
constexpr int kDesignColumnWidths[TEpdListModel::kColumnCount] = {20, 32, 90, 70};
const QString kCaption = "EPD Archive: ";

QString ColumnSetting(int column) { return QString("EPDCol%1").arg(column); }

}  // namespace

// ---- The list view ----------------------------------------------------------

bool TEpdListView::InCheckColumn(QMouseEvent* event) const {
    const QModelIndex index = indexAt(event->position().toPoint());
    return index.isValid() && index.column() == TEpdListModel::colCheck;
}

void TEpdListView::mousePressEvent(QMouseEvent* event) {
    if (!InCheckColumn(event)) return QTableView::mousePressEvent(event);
    auto* model = static_cast<TEpdListModel*>(this->model());
    model->ToggleChecked(indexAt(event->position().toPoint()).row());
    event->accept();
}

void TEpdListView::mouseReleaseEvent(QMouseEvent* event) {
    if (!InCheckColumn(event)) QTableView::mouseReleaseEvent(event);
}

void TEpdListView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!InCheckColumn(event)) QTableView::mouseDoubleClickEvent(event);
}

void TEpdListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && currentIndex().isValid()) {
        static_cast<TEpdListModel*>(model())->ToggleChecked(currentIndex().row());
        return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        emit DeletePressed();
        return;
    }
    QTableView::keyPressEvent(event);
}

// ---- Creation and destruction -----------------------------------------------

TEpdViewer::TEpdViewer(TViewerHost& host)
    : QWidget(host.HostWindow(), host.HostWindow() ? Qt::Tool : Qt::Window),
      host_(host),
      FEPD(std::make_unique<TEPD>(host.Reporter())),
      model_(new TEpdListModel(this)) {
    setObjectName("frmEPD");
    setWindowTitle(kCaption);
    setWindowIcon(QIcon(":/editor/icons/y_epd.svg"));
    setMinimumSize(300, 200);
    CreateList();
    auto* top = new QHBoxLayout;
    top->addWidget(FlvwEPD, 1);
    top->addWidget(CreatePositionData());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(top, 1);
    layout->addWidget(CreateButtons());
    resize(std::max(480, sizeHint().width()), sizeHint().height());
    ReadColumnWidths();
}

TEpdViewer::~TEpdViewer() { WriteColumnWidths(); }

void TEpdViewer::CreateList() {
    FlvwEPD = new TEpdListView(this);
    FlvwEPD->setObjectName("lvwEPD");
    FlvwEPD->setModel(model_);
    FlvwEPD->setSelectionBehavior(QAbstractItemView::SelectRows);
    FlvwEPD->setSelectionMode(QAbstractItemView::SingleSelection);
    FlvwEPD->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FlvwEPD->setShowGrid(false);
    FlvwEPD->setWordWrap(false);
    FlvwEPD->verticalHeader()->hide();
    FlvwEPD->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FlvwEPD->verticalHeader()->setDefaultSectionSize(FlvwEPD->fontMetrics().height() + 4);
    FlvwEPD->horizontalHeader()->setHighlightSections(false);
    FlvwEPD->horizontalHeader()->setMinimumSectionSize(8);
    FlvwEPD->horizontalHeader()->setSectionsClickable(true);
    FlvwEPD->horizontalHeader()->setStretchLastSection(false);
    FlvwEPD->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FlvwEPD->horizontalHeader(), &QHeaderView::sectionClicked, this, &TEpdViewer::lvwEPDColumnClick);
    connect(FlvwEPD->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TEpdViewer::lvwEPDChange);

    FmnuPopup = new QMenu(this);
    FmnuPopup->setObjectName("mnuPopup");
    FmnuPopup->addAction("&Select all Positions", this, &TEpdViewer::mnpAllClick)->setObjectName("mnpAll");
    FmnuPopup->addAction("&Unselect all Positions", this, &TEpdViewer::mnpNoneClick)->setObjectName("mnpNone");
    FmnuPopup->addAction("&Invert Selection", this, &TEpdViewer::mnpInvertClick)->setObjectName("mnpInvert");
    FmnuPopup->addSeparator();
    QAction* remove = FmnuPopup->addAction("&Delete", this, &TEpdViewer::mnpDeleteClick);
    remove->setObjectName("mnpDelete");
    remove->setShortcut(Qt::Key_Delete);  // shown in the menu; the list handles the key itself
    remove->setShortcutContext(Qt::WidgetShortcut);
    connect(FlvwEPD, &TEpdListView::DeletePressed, this, &TEpdViewer::mnpDeleteClick);
    connect(FlvwEPD, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { FmnuPopup->popup(FlvwEPD->viewport()->mapToGlobal(at)); });
}

QGroupBox* TEpdViewer::CreatePositionData() {
    FgpbPositionData = new QGroupBox("Position Data:", this);
    FgpbPositionData->setObjectName("gpbPositionData");
    FedtGameInfo = LimitedEdit("edtGameInfo", kDescriptionLength, FgpbPositionData);
    FchkWhiteToMove = new QCheckBox("White to Move", FgpbPositionData);
    FchkWhiteToMove->setObjectName("chkWhiteToMove");
    auto* castling = new QGroupBox("Allowed Castling:", FgpbPositionData);
    auto* castlingLayout = new QVBoxLayout(castling);
    const char* captions[4] = {"White King Side", "White Queen Side", "Black King Side", "Black Queen Side"};
    const char* names[4] = {"chkWhiteKS", "chkWhiteQS", "chkBlackKS", "chkBlackQS"};
    bool TEPDRec::*rights[4] = {&TEPDRec::CastleWhiteShort, &TEPDRec::CastleWhiteLong, &TEPDRec::CastleBlackShort,
                                &TEPDRec::CastleBlackLong};
    for (int i = 0; i < 4; ++i) {
        FchkCastle[i] = new QCheckBox(captions[i], castling);
        FchkCastle[i]->setObjectName(names[i]);
        castlingLayout->addWidget(FchkCastle[i]);
        bool TEPDRec::*right = rights[i];
        connect(FchkCastle[i], &QCheckBox::toggled, this,
                [this, right](bool on) { EditSelected([&](TEPDRec& rec, int) { rec.*right = on; }); });
    }
    FchkEP = new QCheckBox("En Passant:", FgpbPositionData);
    FchkEP->setObjectName("chkEP");
    FedtEP = LimitedEdit("edtEP", kEpLength, FgpbPositionData);
    FedtEP->setMaximumWidth(36);
    FedtEP->setEnabled(false);
    FedtBestMove = LimitedEdit("edtBestMove", kBestMoveLength, FgpbPositionData);

    auto* grid = new QGridLayout(FgpbPositionData);
    grid->addWidget(new QLabel("Description:", FgpbPositionData), 0, 0, 1, 2);
    grid->addWidget(FedtGameInfo, 1, 0, 1, 2);
    grid->addWidget(FchkWhiteToMove, 2, 0, 1, 2);
    grid->addWidget(castling, 3, 0, 1, 2);
    grid->addWidget(FchkEP, 4, 0);
    grid->addWidget(FedtEP, 4, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel("Best Move:", FgpbPositionData), 5, 0, 1, 2);
    grid->addWidget(FedtBestMove, 6, 0, 1, 2);
    grid->setRowStretch(7, 1);

    connect(FchkWhiteToMove, &QCheckBox::toggled, this, [this](bool on) {
        EditSelected([&](TEPDRec& rec, int) { rec.WhiteToMove = on; });
        if (fillingFields_ || SelectedRow() < 0) return;
        // The diagram shows the record: its side follows.
        host_.Board().SetSideToMove(on ? TSideToMove::White : TSideToMove::Black);
        host_.Board().Refresh();
    });
    connect(FchkEP, &QCheckBox::toggled, this, &TEpdViewer::chkEPClick);
    connect(FedtEP, &QLineEdit::textChanged, this, [this](const QString& text) {
        EditSelected([&](TEPDRec& rec, int) { rec.EpSquare = text.toStdString(); });
    });
    connect(FedtGameInfo, &QLineEdit::textChanged, this, [this](const QString& text) {
        EditSelected([&](TEPDRec& rec, int row) {
            rec.Id = text.toStdString();
            model_->RecordChanged(row);
        });
    });
    connect(FedtBestMove, &QLineEdit::textChanged, this, [this](const QString& text) {
        EditSelected([&](TEPDRec& rec, int row) {
            rec.BestMove = text.toStdString();
            model_->RecordChanged(row);
        });
    });
    return FgpbPositionData;
}

QWidget* TEpdViewer::CreateButtons() {
    auto* panel = new QWidget(this);
    FchkOnTop = new QCheckBox("&Stay on Top", panel);
    FchkOnTop->setObjectName("chkOnTop");
    FchkOnTop->setChecked(true);
    auto* help = new QPushButton("&Help", panel);
    help->setObjectName("btnHelp");
    FbtnAutoVorlix = new QPushButton("&Auto Vorlix", panel);
    FbtnAutoVorlix->setObjectName("btnAutoVorlix");
    auto* close = new QPushButton("&Close", panel);
    close->setObjectName("btnCancel");
    auto* escape = new QShortcut(Qt::Key_Escape, this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    connect(FchkOnTop, &QCheckBox::toggled, this, &TEpdViewer::chkOnTopClick);
    connect(help, &QPushButton::clicked, this, &TEpdViewer::btnHelpClick);
    connect(FbtnAutoVorlix, &QPushButton::clicked, this, &TEpdViewer::btnAutoVorlixClick);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // The buttons sit at the right, 11 pixels apart and from the edge.
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 4, 11, 0);
    row->setSpacing(11);
    row->addWidget(FchkOnTop);
    row->addStretch(1);
    row->addWidget(help);
    row->addWidget(FbtnAutoVorlix);
    row->addWidget(close);
    return panel;
}

void TEpdViewer::ReadColumnWidths() {
    for (int column = 0; column < TEpdListModel::kColumnCount; ++column)
        FlvwEPD->setColumnWidth(column,
                                host_.Settings().LoadViewerColumn(ColumnSetting(column), kDesignColumnWidths[column]));
}

void TEpdViewer::WriteColumnWidths() {
    for (int column = 0; column < TEpdListModel::kColumnCount; ++column)
        host_.Settings().SaveViewerColumn(ColumnSetting(column), FlvwEPD->columnWidth(column));
}

// ---- Opening and showing ----------------------------------------------------

bool TEpdViewer::LoadArchive(const QString& fileName) {
    fileName_ = fileName;
    FEPD->Clear();
    return FEPD->LoadFromFile(QFile::encodeName(fileName).toStdString());
}

void TEpdViewer::ShowArchive() {
    THourglass hourglass;
    sortColumn_ = TEpdListModel::colNr;
    sortAscending_ = true;
    if (!placed_) PlaceAboveBoard();
    showCount_ = showCount_ >= kMaxShowCount ? 1 : showCount_ + 1;
    setWindowTitle(kCaption + QFileInfo(fileName_).fileName());
    listHandling_ = false;
    lastShown_ = nullptr;
    FEPD->GoFirst();
    model_->Fill(*FEPD);
    WidenToShowNumber(*FlvwEPD, TEpdListModel::colNr, model_->rowCount());
    show();
    raise();
    host_.PlaySound("birdie.wav");
    listHandling_ = true;
    modified_ = false;
}

void TEpdViewer::PlaceAboveBoard() {
    // Once: beside the board, or just above it when the screen has no room.
    placed_ = true;
    PlaceViewerBesideBoard(*this, host_);
}

// ---- Selecting and editing --------------------------------------------------

int TEpdViewer::SelectedRow() const {
    const QModelIndexList rows = FlvwEPD->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TEpdViewer::SelectRow(int row) {
    FlvwEPD->selectionModel()->setCurrentIndex(model_->index(row, TEpdListModel::colNr),
                                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    FlvwEPD->scrollTo(model_->index(row, TEpdListModel::colNr));
}

TEPDRec* TEpdViewer::RecordOfRow(int row) const { return model_->Record(row); }

void TEpdViewer::lvwEPDChange() {
    const int row = SelectedRow();
    if (!listHandling_ || row < 0 || model_->Record(row) == lastShown_) return;
    lastShown_ = model_->Record(row);
    FlvwEPD->setFocus();
    FEPD->Current = model_->Record(row);
    ShowCurrentOnBoard();
    SetEPDInfo();
    host_.DiagramChangedByViewer();
}

void TEpdViewer::ShowCurrentOnBoard() {
    const TEPDRec* rec = FEPD->Current;
    if (!rec) return;
    TDiagramBoard& board = host_.Board();
    for (int file = 0; file < 8; ++file)
        for (int rank = 0; rank < 8; ++rank) board.SetPiece(file, rank, rec->Board[SquareIndex(file, rank)]);
    board.SetSideToMove(rec->WhiteToMove ? TSideToMove::White : TSideToMove::Black);
    board.Refresh();
}

void TEpdViewer::SetEPDInfo() {
    const TEPDRec* rec = FEPD->Current;
    if (!rec) return ClearGameData();
    fillingFields_ = true;
    // Texts read from the file may be longer than the user may type; they are shown whole.
    FedtGameInfo->setMaxLength(std::max<int>(kDescriptionLength, QString::fromStdString(rec->Id).size()));
    FedtBestMove->setMaxLength(std::max<int>(kBestMoveLength, QString::fromStdString(rec->BestMove).size()));
    FedtGameInfo->setText(QString::fromStdString(rec->Id));
    FchkWhiteToMove->setChecked(rec->WhiteToMove);
    const TCastlingSquares squares = CastlingSquares(rec->Board);
    const bool rights[4] = {rec->CastleWhiteShort, rec->CastleWhiteLong, rec->CastleBlackShort, rec->CastleBlackLong};
    const bool possible[4] = {squares.WhiteShort, squares.WhiteLong, squares.BlackShort, squares.BlackLong};
    for (int i = 0; i < 4; ++i) {
        FchkCastle[i]->setChecked(rights[i]);
        FchkCastle[i]->setEnabled(possible[i]);
    }
    FchkEP->setChecked(rec->EpPossible);
    FedtEP->setText(rec->EpPossible ? QString::fromStdString(rec->EpSquare) : QString());
    FedtBestMove->setText(QString::fromStdString(rec->BestMove));
    fillingFields_ = false;
}

void TEpdViewer::ClearGameData() {
    FEPD->Clear();
    model_->Clear();
    ClearFields();
}

void TEpdViewer::ClearFields() {
    fillingFields_ = true;
    for (QLineEdit* edit : {FedtGameInfo, FedtEP, FedtBestMove}) edit->clear();
    for (QCheckBox* box : {FchkWhiteToMove, FchkEP, FchkCastle[0], FchkCastle[1], FchkCastle[2], FchkCastle[3]})
        box->setChecked(false);
    fillingFields_ = false;
}

template <class TEdit>
void TEpdViewer::EditSelected(TEdit edit) {
    const int row = SelectedRow();
    if (fillingFields_ || row < 0) return;
    FEPD->Current = model_->Record(row);
    edit(*FEPD->Current, row);
    modified_ = true;
}

void TEpdViewer::chkEPClick(bool checked) {
    FedtEP->setEnabled(checked);
    EditSelected([&](TEPDRec& rec, int) { rec.EpPossible = checked; });
}

// ---- Sorting, ticking and deleting ------------------------------------------

void TEpdViewer::lvwEPDColumnClick(int column) {
    if (column == TEpdListModel::colCheck) return;
    const bool ascending = column != sortColumn_ || !sortAscending_;
    model_->Sort(column, ascending);
    sortColumn_ = column;
    sortAscending_ = ascending;
}

void TEpdViewer::mnpAllClick() { model_->CheckAll(true); }
void TEpdViewer::mnpNoneClick() { model_->CheckAll(false); }
void TEpdViewer::mnpInvertClick() { model_->InvertChecks(); }

void TEpdViewer::mnpDeleteClick() {
    const int row = SelectedRow();
    if (row < 0) return;
    FEPD->Current = model_->Record(row);
    if (lastShown_ == FEPD->Current) lastShown_ = nullptr;
    FEPD->DeleteCurrent();
    model_->RemoveRow(row);
    if (model_->rowCount() > 0)
        SelectRow(std::min(row, model_->rowCount() - 1));
    else
        ClearFields();  // they showed the position just deleted
    modified_ = true;
}

int TEpdViewer::CheckedPositionCount() const { return model_->CheckedCount(); }
int TEpdViewer::NextCheckedPosition(int fromRow) const { return model_->NextChecked(fromRow); }
std::vector<const TEPDRec*> TEpdViewer::TickedRecords() const { return model_->CheckedRecords(); }

// ---- Buttons ----------------------------------------------------------------

void TEpdViewer::chkOnTopClick(bool checked) { SetViewerStaysOnTop(*this, host_.HostWindow(), checked); }

void TEpdViewer::btnHelpClick() { ShowHelpTopic(kHelpContext); }

void TEpdViewer::btnAutoVorlixClick() {
    if (FEPD->Count() == 0) {
        SoundMessageDlg("There are no EPD positions in the archive...", TMsgDlgType::mtInformation, QMessageBox::Ok);
        return;
    }
    if (NoPositionChecked()) {
        SoundMessageDlg(
            "There are no EPD positions selected for auto-capturing...\n"
            "You can select positions by clicking the boxes in the list.",
            TMsgDlgType::mtInformation, QMessageBox::Ok);
        return;
    }
    // The batch run puts its positions on the main board; the board and the
    // cursor record come back afterwards.
    TEPDRec* current = FEPD->Current;
    const TBoardContents contents = host_.Board().Contents();
    host_.OpenEpdBatch(*this);
    FEPD->Current = current;
    host_.Board().SetContents(contents);
    host_.Board().Refresh();
}

// ---- Closing ----------------------------------------------------------------

void TEpdViewer::CloseArchive() {
    if (isVisible())
        close();
    else
        FormClose();
}

void TEpdViewer::closeEvent(QCloseEvent* event) {
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

bool TEpdViewer::FormClose() {
    THourglass hourglass;
    const TMsgDlgButtons yesNoCancel = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    if (modified_ && FEPD->Count() > 0) {
        const TModalResult answer =
            SoundMessageDlg("You have made some changes to the EPD file.\nDo you want to save these changes?",
                            TMsgDlgType::mtConfirmation, yesNoCancel);
        if (answer == QMessageBox::Cancel) return false;
        if (answer == QMessageBox::Yes && !SaveArchive()) return false;
    } else if (modified_) {
        const TModalResult answer =
            SoundMessageDlg("You have deleted all positions from the \nEPD archive. Do you want to delete the file?",
                            TMsgDlgType::mtConfirmation, yesNoCancel);
        if (answer == QMessageBox::Cancel) return false;
        if (answer == QMessageBox::Yes) QFile::remove(fileName_);
    }
    listHandling_ = false;
    lastShown_ = nullptr;
    modified_ = false;
    ClearGameData();
    setWindowTitle(kCaption);
    host_.ViewerClosed();
    return true;
}

// ---- Save as EPD and recovery ------------------------------------------------

void TEpdViewer::LineAppended(const QString& fileName, const std::string& line) {
    if (!isVisible() || fileName_.isEmpty()) return;
    const QString held = QFileInfo(fileName_).canonicalFilePath();
    if (held.isEmpty() || held != QFileInfo(fileName).canonicalFilePath()) return;
    // The file has the line already; a later save writes it with the rest.
    model_->AppendRecord(FEPD->AppendLine(line));
    WidenToShowNumber(*FlvwEPD, TEpdListModel::colNr, model_->rowCount());
}

void TEpdViewer::KeepUnsavedEdits(const QString& recoveryFile) {
    if (!isVisible() || !modified_) return;
    try {
        QDir().mkpath(QFileInfo(recoveryFile).absolutePath());
        WriteFileSafely(QFile::encodeName(recoveryFile).toStdString(), FEPD->Text());
        WriteFileSafely(QFile::encodeName(recoveryFile + ".name").toStdString(), fileName_.toUtf8().toStdString());
    } catch (const std::exception& error) {
        // Nobody may be there to read it, but it is all that can be done.
        qWarning("%s: %s", qPrintable(recoveryFile), error.what());
    }
}

bool TEpdViewer::OfferRecovered(const QString& recoveryFile) {
    QFile nameFile(recoveryFile + ".name");
    if (!QFileInfo::exists(recoveryFile) || !nameFile.open(QIODevice::ReadOnly)) return false;
    const QString fileName = QString::fromUtf8(nameFile.readAll());
    nameFile.close();
    const TModalResult answer = SoundMessageDlg("Chess Vorlix was ended while the EPD file " + fileName +
                                                    " had unsaved changes; they were kept.\n\n"
                                                    "Open the recovered positions?",
                                                TMsgDlgType::mtConfirmation, QMessageBox::Yes | QMessageBox::No);
    // Ended again before an answer (a quit signal): offered at the next start.
    if (answer != QMessageBox::Yes && answer != QMessageBox::No) return false;
    bool shown = false;
    if (answer == QMessageBox::Yes && !fileName.isEmpty()) {
        FEPD->Clear();
        if (FEPD->LoadFromFile(QFile::encodeName(recoveryFile).toStdString())) {
            fileName_ = fileName;
            ShowArchive();
            // Saved nowhere yet: closing asks to save the edits into their file.
            modified_ = true;
            shown = true;
        } else {
            ClearGameData();
        }
    }
    QFile::remove(recoveryFile);
    nameFile.remove();
    return shown;
}

bool TEpdViewer::SaveArchive() {
    try {
        FEPD->SaveToFile(QFile::encodeName(fileName_).toStdString());
        return true;
    } catch (const std::exception& error) {
        // The old file is still whole; the window stays open with the edits.
        host_.Reporter().Report(TMsgKind::Error,
                                fileName_.toStdString() + ": " + error.what() + "\nThe file was not changed.");
        return false;
    }
}

}  // namespace vorlix
