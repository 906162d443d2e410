#pragma once
// The tip of the day window: one tip at a time from the tips table, stepping
// forwards and backwards, with the topic that tells more. Not modal; it stays
// above the main window and lives as long as the application.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace vorlix {

class TTipForm : public QDialog {
    Q_OBJECT
public:
    // tipIndex and showTips are the settings the window reads and changes.
    TTipForm(int& tipIndex, bool& showTips, QWidget* mainWindow);

    int TipIndex() const { return tipIndex_; }
    QString TipText() const;

    void btnNextClick();
    void btnPreviousClick();
    void btnReadMoreClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowTip();

    int& tipIndex_;
    bool& showTips_;
    QWidget* mainWindow_;
    QLabel* FlblTip = nullptr;
    QPushButton* FbtnReadMore = nullptr;
    QCheckBox* FchkShowTips = nullptr;
};

}  // namespace vorlix
