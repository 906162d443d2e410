#pragma once
// "EPD Archive:" the positions of one EPD file as a list with check boxes.
// The selected position goes onto the main board; its data can be edited,
// positions deleted and sorted; closing saves the file (or deletes it when
// no position is left). Ticked positions feed the EPD batch dialog.
#include <QTableView>
#include <QWidget>
#include <array>
#include <memory>

#include "batch/BatchSources.h"
#include "viewers/ui/ViewerHost.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;

namespace vorlix {

class TEPD;
class TEpdListModel;

// The list: a click on the check box column ticks the row without selecting it.
class TEpdListView : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;

signals:
    void DeletePressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool InCheckColumn(QMouseEvent* event) const;
};

class TEpdViewer : public QWidget, public TArchiveViewer, public TEpdBatchSource {
    Q_OBJECT
public:
    explicit TEpdViewer(TViewerHost& host);
    ~TEpdViewer() override;

    // The opening road.
    bool LoadArchive(const QString& fileName) override;
    void ShowArchive() override;
    void CloseArchive() override;
    bool ArchiveVisible() const override { return isVisible(); }
    // Save as EPD appended a line to the file this viewer holds: one more row.
    void LineAppended(const QString& fileName, const std::string& line) override;
    // The text a save would write goes to the recovery file, the name of the
    // file it belongs to beside it (recovery file + ".name").
    void KeepUnsavedEdits(const QString& recoveryFile) override;
    bool OfferRecovered(const QString& recoveryFile) override;

    // The EPD batch dialog.
    std::vector<const TEPDRec*> TickedRecords() const override;
    QString BatchHeaderText() const override { return batchHeaderText_; }
    QString BatchFooterText() const override { return batchFooterText_; }
    void KeepBatchTexts(const QString& header, const QString& footer) override {
        batchHeaderText_ = header;
        batchFooterText_ = footer;
    }
    int CheckedPositionCount() const;
    int NextCheckedPosition(int fromRow) const;
    bool NoPositionChecked() const { return CheckedPositionCount() == 0; }
    // Puts the Current record's squares on the main board (nothing without one).
    void ShowCurrentOnBoard();
    TEPD& EPD() { return *FEPD; }
    TEPDRec* RecordOfRow(int row) const;

    bool Modified() const { return modified_; }
    TEpdListView* lvwEPD() const { return FlvwEPD; }
    TEpdListModel& ListModel() const { return *model_; }
    QLineEdit* edtGameInfo() const { return FedtGameInfo; }
    QLineEdit* edtEP() const { return FedtEP; }
    QLineEdit* edtBestMove() const { return FedtBestMove; }
    QCheckBox* chkWhiteToMove() const { return FchkWhiteToMove; }
    QCheckBox* chkCastle(int index) const { return FchkCastle[index]; }  // WK, WQ, BK, BQ
    QCheckBox* chkEP() const { return FchkEP; }
    QCheckBox* chkOnTop() const { return FchkOnTop; }
    QPushButton* btnAutoVorlix() const { return FbtnAutoVorlix; }
    QMenu* PopupMenu() const { return FmnuPopup; }

    // The list's header click and the pop-up commands.
    void lvwEPDColumnClick(int column);
    void mnpAllClick();
    void mnpNoneClick();
    void mnpInvertClick();
    void mnpDeleteClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateList();
    QGroupBox* CreatePositionData();
    QWidget* CreateButtons();
    void ReadColumnWidths();
    void WriteColumnWidths();
    void PlaceAboveBoard();

    void lvwEPDChange();
    int SelectedRow() const;
    void SelectRow(int row);
    void SetEPDInfo();
    void ClearGameData();
    void ClearFields();
    // Runs an edit of the selected record's data unless the fields are being filled.
    template <class TEdit>
    void EditSelected(TEdit edit);
    void chkEPClick(bool checked);
    void chkOnTopClick(bool checked);
    void btnAutoVorlixClick();
    void btnHelpClick();
    // False when the user chose to keep the window open.
    bool FormClose();
    bool SaveArchive();

    TViewerHost& host_;
    std::unique_ptr<TEPD> FEPD;
    TEpdListModel* model_;
    QString fileName_;
    bool listHandling_ = false;
    const TEPDRec* lastShown_ = nullptr;
    bool modified_ = false;
    bool fillingFields_ = false;
    int sortColumn_ = 1;
    bool sortAscending_ = true;
    int showCount_ = 0;
    bool placed_ = false;
    // The custom texts last typed in the EPD batch dialog, kept while the program runs.
    QString batchHeaderText_, batchFooterText_;

    TEpdListView* FlvwEPD;
    QGroupBox* FgpbPositionData;
    QLineEdit* FedtGameInfo;
    QCheckBox* FchkWhiteToMove;
    std::array<QCheckBox*, 4> FchkCastle{};
    QCheckBox* FchkEP;
    QLineEdit* FedtEP;
    QLineEdit* FedtBestMove;
    QCheckBox* FchkOnTop;
    QPushButton* FbtnAutoVorlix;
    QMenu* FmnuPopup;
};

}  // namespace vorlix
