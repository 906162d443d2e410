#pragma once
// "Save as EPD": the data that goes with the diagram's squares into an EPD
// line. Castling boxes are offered only where king and rook stand at home.
#include <QDialog>
#include <array>
#include <cstdint>

#include "app/EpdPositionLine.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vorlix {

class TPosDataDialog : public QDialog {
    Q_OBJECT
public:
    TPosDataDialog(const std::array<int32_t, 64>& codes, QWidget* mainWindow);

    TPositionData PositionData() const;

    QCheckBox* chkWhiteToMove() const { return FchkWhiteToMove; }
    QCheckBox* chkCastle(int index) const { return FchkCastle[index]; }  // WK, WQ, BK, BQ
    QCheckBox* chkEP() const { return FchkEP; }
    QLineEdit* edtEPSquare() const { return FedtEPSquare; }
    QLineEdit* edtBestMove() const { return FedtBestMove; }
    QLineEdit* edtGameID() const { return FedtGameID; }
    QPushButton* btnOK() const { return FbtnOK; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* mainWindow_;
    QCheckBox* FchkWhiteToMove;
    std::array<QCheckBox*, 4> FchkCastle{};
    QCheckBox* FchkEP;
    QLineEdit* FedtEPSquare;
    QLineEdit* FedtBestMove;
    QLineEdit* FedtGameID;
    QPushButton* FbtnOK;
};

}  // namespace vorlix
