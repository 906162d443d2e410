#pragma once
// The rows of the EPD viewer's list: one per record of the open file, with a
// check box, the running number from the file order, the description and the
// best move. Sorting reorders the rows; the numbers stay with their rows.
#include <QAbstractTableModel>
#include <QString>
#include <vector>

namespace vorlix {

class TEPD;
struct TEPDRec;

class TEpdListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn { colCheck, colNr, colDescription, colBestMove, kColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // One row per record from First to the end, none ticked.
    void Fill(const TEPD& epd);
    void Clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    TEPDRec* Record(int row) const { return rows_[row].Rec; }
    int Number(int row) const { return rows_[row].Number; }
    // Takes the record's description and best move again after an edit.
    void RecordChanged(int row);
    void RemoveRow(int row);
    // A record added at the end of the file: a new last row, numbered after
    // every row the file had.
    void AppendRecord(TEPDRec* rec);

    // "Nr." compares numbers, the text columns compare without regard to case.
    void Sort(int column, bool ascending);

    bool Checked(int row) const { return rows_[row].Checked; }
    void SetChecked(int row, bool checked);
    void ToggleChecked(int row) { SetChecked(row, !Checked(row)); }
    void CheckAll(bool checked);
    void InvertChecks();
    int CheckedCount() const;
    // The first ticked row at fromRow or later; -1 when none.
    int NextChecked(int fromRow) const;
    std::vector<const TEPDRec*> CheckedRecords() const;

private:
    struct TRow {
        TEPDRec* Rec = nullptr;
        int Number = 0;
        bool Checked = false;
        QString Description, BestMove;
    };
    static TRow MakeRow(TEPDRec* rec, int number);
    void ChecksChanged();

    std::vector<TRow> rows_;
    int lastNumber_ = 0;
};

}  // namespace vorlix
