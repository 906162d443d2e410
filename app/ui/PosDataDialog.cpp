#include "app/ui/PosDataDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "board/ui/DialogPlacement.h"
#include "common/ui/LimitedEdit.h"
#include "rules/CastlingSquares.h"

namespace vorlix {
namespace {

constexpr int kGameIdLength = 28;
constexpr int kBestMoveLength = 14;
constexpr int kEpSquareLength = 2;

}  // namespace

TPosDataDialog::TPosDataDialog(const std::array<int32_t, 64>& codes, QWidget* mainWindow)
    : QDialog(mainWindow), mainWindow_(mainWindow) {
    setObjectName("frmPosData");
    setWindowTitle("Save as EPD");
    auto* group = new QGroupBox("Position Info:", this);
    FchkWhiteToMove = new QCheckBox("&White to Move", group);
    FchkWhiteToMove->setObjectName("chkWhiteToMove");
    FchkWhiteToMove->setChecked(true);

    int32_t board[64];
    std::copy(codes.begin(), codes.end(), board);
    const TCastlingSquares castling = CastlingSquares(board);
    const bool allowed[4] = {castling.WhiteShort, castling.WhiteLong, castling.BlackShort, castling.BlackLong};
    const char* captions[4] = {"White King Side", "White Queen Side", "Black King Side", "Black Queen Side"};
    const char* names[4] = {"chkWhiteKS", "chkWhiteQS", "chkBlackKS", "chkBlackQS"};
    auto* castles = new QGroupBox("Allowed Castling:", group);
    auto* castleGrid = new QGridLayout(castles);
    for (int i = 0; i < 4; ++i) {
        FchkCastle[i] = new QCheckBox(captions[i], castles);
        FchkCastle[i]->setObjectName(names[i]);
        FchkCastle[i]->setChecked(allowed[i]);
        FchkCastle[i]->setEnabled(allowed[i]);
        castleGrid->addWidget(FchkCastle[i], i % 2, i / 2);
    }

    FedtGameID = LimitedEdit("edtGameID", kGameIdLength, group);
    FedtBestMove = LimitedEdit("edtBestMove", kBestMoveLength, group);
    FedtEPSquare = LimitedEdit("edtEPSquare", kEpSquareLength, group);
    FedtEPSquare->setEnabled(false);
    FedtEPSquare->setMaximumWidth(40);
    FchkEP = new QCheckBox("&En Passant on:", group);
    FchkEP->setObjectName("chkEP");
    connect(FchkEP, &QCheckBox::toggled, FedtEPSquare, &QWidget::setEnabled);

    auto* gameIdLabel = new QLabel("&Game id:", group);
    gameIdLabel->setBuddy(FedtGameID);
    auto* bestMoveLabel = new QLabel("&Best Move:", group);
    bestMoveLabel->setBuddy(FedtBestMove);
    auto* fields = new QGridLayout;
    fields->addWidget(gameIdLabel, 0, 0);
    fields->addWidget(FedtGameID, 0, 1, 1, 2);
    fields->addWidget(bestMoveLabel, 1, 0);
    fields->addWidget(FedtBestMove, 1, 1, 1, 2);
    fields->addWidget(FchkEP, 2, 0);
    fields->addWidget(FedtEPSquare, 2, 1);
    fields->setColumnStretch(2, 1);

    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(FchkWhiteToMove);
    groupLayout->addWidget(castles);
    groupLayout->addLayout(fields);

    FbtnOK = new QPushButton("&OK", this);
    FbtnOK->setObjectName("btnOK");
    FbtnOK->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);  // Escape rejects the dialog
    cancel->setObjectName("btnCancel");
    connect(FbtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(FbtnOK);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
}

void TPosDataDialog::showEvent(QShowEvent* event) {
    adjustSize();
    CentreOnWindow(this, mainWindow_);
    QDialog::showEvent(event);
}

TPositionData TPosDataDialog::PositionData() const {
    TPositionData data;
    data.WhiteToMove = FchkWhiteToMove->isChecked();
    data.CastleWhiteShort = FchkCastle[0]->isChecked();
    data.CastleWhiteLong = FchkCastle[1]->isChecked();
    data.CastleBlackShort = FchkCastle[2]->isChecked();
    data.CastleBlackLong = FchkCastle[3]->isChecked();
    data.EnPassant = FchkEP->isChecked();
    data.EpSquare = FedtEPSquare->text().toStdString();
    data.BestMove = FedtBestMove->text().toStdString();
    data.GameId = FedtGameID->text().toStdString();
    return data;
}

}  // namespace vorlix
