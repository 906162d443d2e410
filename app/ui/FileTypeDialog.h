#pragma once
// "File Extensions...": asks whether PGN or EPD files should open with this
// program, with "Do not ask anymore". The answer goes to the settings at once.
#include <QDialog>

class QCheckBox;
class QPushButton;

namespace vorlix {

class TAppSettings;

class TFileTypeDialog : public QDialog {
    Q_OBJECT
public:
    // kind is "PGN" or "EPD".
    TFileTypeDialog(const QString& kind, TAppSettings& settings, QWidget* mainWindow);

    QCheckBox* chkDontAsk() const { return FchkDontAsk; }
    QPushButton* btnYes() const { return FbtnYes; }
    QPushButton* btnNo() const { return FbtnNo; }
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void StoreAnswer(bool associate);

    QString kind_;
    TAppSettings& settings_;
    QWidget* mainWindow_;
    QCheckBox* FchkDontAsk;
    QPushButton* FbtnYes;
    QPushButton* FbtnNo;
};

}  // namespace vorlix
