#include "viewers/EpdListModel.h"

#include <algorithm>
#include <numeric>

#include "files/EPD.h"

namespace vorlix {

TEpdListModel::TRow TEpdListModel::MakeRow(TEPDRec* rec, int number) {
    TRow row;
    row.Rec = rec;
    row.Number = number;
    row.Description = QString::fromStdString(rec->Id);
    row.BestMove = QString::fromStdString(rec->BestMove);
    return row;
}

void TEpdListModel::Fill(const TEPD& epd) {
    beginResetModel();
    rows_.clear();
    int number = 0;
    for (TEPDRec* rec = epd.First; rec; rec = rec->Next) rows_.push_back(MakeRow(rec, ++number));
    lastNumber_ = number;
    endResetModel();
}

void TEpdListModel::Clear() {
    beginResetModel();
    rows_.clear();
    lastNumber_ = 0;
    endResetModel();
}

int TEpdListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TEpdListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant TEpdListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const TRow& row = rows_[index.row()];
    switch (index.column()) {
        case colCheck:
            if (role == Qt::CheckStateRole) return row.Checked ? Qt::Checked : Qt::Unchecked;
            return {};
        case colNr:
            if (role == Qt::DisplayRole) return row.Number;
            if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
            return {};
        case colDescription: return role == Qt::DisplayRole ? QVariant(row.Description) : QVariant();
        case colBestMove: return role == Qt::DisplayRole ? QVariant(row.BestMove) : QVariant();
        default: return {};
    }
}

QVariant TEpdListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole && section == colNr) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    static const char* captions[kColumnCount] = {"", "Nr.", "Description", "Best Move"};
    return section >= 0 && section < kColumnCount ? QString(captions[section]) : QString();
}

Qt::ItemFlags TEpdListModel::flags(const QModelIndex& index) const {
    // Read-only; the check boxes are ticked by the view, without selecting.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

void TEpdListModel::RecordChanged(int row) {
    TRow& changed = rows_[row];
    changed.Description = QString::fromStdString(changed.Rec->Id);
    changed.BestMove = QString::fromStdString(changed.Rec->BestMove);
    emit dataChanged(index(row, colDescription), index(row, colBestMove));
}

void TEpdListModel::RemoveRow(int row) {
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

void TEpdListModel::AppendRecord(TEPDRec* rec) {
    const int row = rowCount();
    beginInsertRows({}, row, row);
    rows_.push_back(MakeRow(rec, ++lastNumber_));
    endInsertRows();
}

void TEpdListModel::Sort(int column, bool ascending) {
    if (column == colCheck || column >= kColumnCount) return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> order(rows_.size());
    std::iota(order.begin(), order.end(), 0);
    // Texts compare as their case-folded forms, folded once per sort.
    std::vector<QString> keys;
    if (column != colNr) {
        keys.reserve(rows_.size());
        for (const TRow& row : rows_)
            keys.push_back((column == colDescription ? row.Description : row.BestMove).toCaseFolded());
    }
    auto less = [&](int a, int b) {
        if (column == colNr) return rows_[a].Number < rows_[b].Number;
        return keys[a] < keys[b];
    };
    if (ascending)
        std::stable_sort(order.begin(), order.end(), less);
    else
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return less(b, a); });

    std::vector<TRow> sorted;
    sorted.reserve(rows_.size());
    std::vector<int> newRowOf(rows_.size());
    for (size_t i = 0; i < order.size(); ++i) {
        sorted.push_back(std::move(rows_[order[i]]));
        newRowOf[order[i]] = static_cast<int>(i);
    }
    rows_ = std::move(sorted);
    // Selection and current row follow their rows.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex& old : before) after << index(newRowOf[old.row()], old.column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TEpdListModel::SetChecked(int row, bool checked) {
    rows_[row].Checked = checked;
    emit dataChanged(index(row, colCheck), index(row, colCheck), {Qt::CheckStateRole});
}

void TEpdListModel::ChecksChanged() {
    if (!rows_.empty()) emit dataChanged(index(0, colCheck), index(rowCount() - 1, colCheck), {Qt::CheckStateRole});
}

void TEpdListModel::CheckAll(bool checked) {
    for (TRow& row : rows_) row.Checked = checked;
    ChecksChanged();
}

void TEpdListModel::InvertChecks() {
    for (TRow& row : rows_) row.Checked = !row.Checked;
    ChecksChanged();
}

int TEpdListModel::CheckedCount() const {
    return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const TRow& r) { return r.Checked; }));
}

int TEpdListModel::NextChecked(int fromRow) const {
    for (int row = std::max(fromRow, 0); row < rowCount(); ++row)
        if (rows_[row].Checked) return row;
    return -1;
}

std::vector<const TEPDRec*> TEpdListModel::CheckedRecords() const {
    std::vector<const TEPDRec*> records;
    for (const TRow& row : rows_)
        if (row.Checked) records.push_back(row.Rec);
    return records;
}

}  // namespace vorlix
