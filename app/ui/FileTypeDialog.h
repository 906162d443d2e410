#pragma once
// "File Extensions...": asks whether PGN or EPD files should open with this
// program, with "Do not ask anymore". The answer goes to the settings at once.
#include <QDialog>

class QCheckBox;
class QPushButton;

namespace vorlix {

class TAppSettings;

class TfrmFileType : public QDialog {
    Q_OBJECT
public:
    // kind is "PGN" or "EPD".
    TfrmFileType(const QString& kind, TAppSettings& settings, QWidget* mainWindow);

    QCheckBox* chkDontAsk() const { return FchkDontAsk; }
    QPushButton* btnYes() const { return FbtnYes; }
    QPushButton* btnNo() const { return FbtnNo; }
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void StoreAnswer(bool associate);

    QString FKind;
    TAppSettings& FSettings;
    QWidget* FMainWindow;
    QCheckBox* FchkDontAsk;
    QPushButton* FbtnYes;
    QPushButton* FbtnNo;
};

}  // namespace vorlix
