#include "viewers/GameListModel.h"

#include <QString>
#include <algorithm>
#include <numeric>

namespace vorlix {

namespace {

const char* const kHeaders[12] = {"",     "Nr.",    "White", "Black",     "Event",     "Site",
                                  "Date", "Result", "Round", "Elo White", "Elo Black", "ECO"};

constexpr int kSparseSample = 250;

TPGNTag TagOfColumn(int column) { return static_cast<TPGNTag>(column - gcFirstTag); }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

}  // namespace

int CompareTextNoCase(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char ca = AsciiLower(a[i]), cb = AsciiLower(b[i]);
        if ((ca | cb) & 0x80) {
            // Letters beyond ASCII: let Qt fold their case.
            return QString::compare(QString::fromUtf8(a.substr(i)), QString::fromUtf8(b.substr(i)),
                                    Qt::CaseInsensitive);
        }
        if (ca != cb) return static_cast<unsigned char>(ca) < static_cast<unsigned char>(cb) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::vector<uint32_t> RankTagValues(const TPGNIndex& games, TPGNTag tag, uint32_t& rankCount) {
    std::vector<uint32_t> ids(games.TagIdCount(tag));
    std::iota(ids.begin(), ids.end(), 0u);
    std::stable_sort(ids.begin(), ids.end(), [&](uint32_t a, uint32_t b) {
        return CompareTextNoCase(games.TagValue(tag, a), games.TagValue(tag, b)) < 0;
    });
    std::vector<uint32_t> rankOf(ids.size());
    rankCount = 0;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (i > 0 && CompareTextNoCase(games.TagValue(tag, ids[i - 1]), games.TagValue(tag, ids[i])) != 0) ++rankCount;
        rankOf[ids[i]] = rankCount;
    }
    if (!ids.empty()) ++rankCount;
    return rankOf;
}

std::array<bool, 12> SparseColumns(const TPGNIndex& games) {
    const int examined = std::min(games.Count(), kSparseSample);
    int eco = 0, whiteElo = 0, blackElo = 0;
    for (int i = 0; i < examined; ++i) {
        eco += !games.Tag(i, TPGNTag::ECO).empty();
        whiteElo += games.Tag(i, TPGNTag::WhiteElo) != "?";
        blackElo += games.Tag(i, TPGNTag::BlackElo) != "?";
    }
    std::array<bool, 12> sparse{};
    sparse[gcECO] = eco * 4 <= examined;
    sparse[gcEloWhite] = whiteElo * 4 <= examined;
    sparse[gcEloBlack] = blackElo * 4 <= examined;
    return sparse;
}

TGameListModel::TGameListModel(QObject* parent) : QAbstractTableModel(parent) {}

void TGameListModel::SetGames(const TPGNIndex* games) {
    beginResetModel();
    games_ = games;
    const size_t n = games ? static_cast<size_t>(games->Count()) : 0;
    sorted_.resize(n);
    std::iota(sorted_.begin(), sorted_.end(), 0u);
    sorted_.shrink_to_fit();
    shown_.clear();
    shown_.shrink_to_fit();
    order_ = sorted_;
    checks_.assign(n, 0);
    checks_.shrink_to_fit();
    checkedCount_ = 0;
    endResetModel();
}

int TGameListModel::RowOfGame(int game) const {
    const auto it = std::find(order_.begin(), order_.end(), static_cast<uint32_t>(game));
    return it == order_.end() ? -1 : static_cast<int>(it - order_.begin());
}

void TGameListModel::SetFilter(const TGameFilter& filter) {
    beginResetModel();
    if (filter.Empty() || !games_)
        shown_.clear();
    else
        shown_ = FilterGames(*games_, filter);
    ApplyFilter();
    endResetModel();
}

void TGameListModel::ApplyFilter() {
    if (shown_.empty()) {
        order_ = sorted_;
    } else {
        order_.clear();
        for (const uint32_t game : sorted_)
            if (shown_[game]) order_.push_back(game);
    }
    checkedCount_ = 0;
    for (const uint32_t game : order_) checkedCount_ += checks_[game];
}

void TGameListModel::SetChecked(int row, bool checked) {
    uint8_t& check = checks_[static_cast<size_t>(GameOfRow(row))];
    if (check == checked) return;
    check = checked;
    checkedCount_ += checked ? 1 : -1;
    const QModelIndex cell = index(row, gcCheck);
    emit dataChanged(cell, cell, {Qt::CheckStateRole});
}

void TGameListModel::CheckAll(bool checked) {
    for (const uint32_t game : order_) checks_[game] = checked;
    checkedCount_ = checked ? rowCount() : 0;
    ChecksChanged();
}

void TGameListModel::InvertChecks() {
    for (const uint32_t game : order_) checks_[game] = !checks_[game];
    checkedCount_ = rowCount() - checkedCount_;
    ChecksChanged();
}

void TGameListModel::ChecksChanged() {
    if (!order_.empty()) emit dataChanged(index(0, gcCheck), index(rowCount() - 1, gcCheck), {Qt::CheckStateRole});
}

int TGameListModel::NextChecked(int fromRow) const {
    for (int row = std::max(0, fromRow); row < rowCount(); ++row)
        if (Checked(row)) return row;
    return -1;
}

std::vector<int> TGameListModel::CheckedGames() const {
    std::vector<int> games;
    games.reserve(size_t(checkedCount_));
    for (int row = 0; row < rowCount(); ++row)
        if (Checked(row)) games.push_back(GameOfRow(row));
    return games;
}

void TGameListModel::HeaderClicked(int column) {
    if (column <= gcCheck || column >= columnCount()) return;
    Sort(column, !(column == sortColumn_ && sortAscending_));
}

void TGameListModel::Sort(int column, bool ascending) {
    sortColumn_ = column;
    sortAscending_ = ascending;
    if (!games_) return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> persistentGames;
    for (const QModelIndex& i : before) persistentGames.push_back(GameOfRow(i.row()));

    if (column == gcNumber) {
        std::sort(sorted_.begin(), sorted_.end());
        if (!ascending) std::reverse(sorted_.begin(), sorted_.end());
    } else {
        SortByTag(TagOfColumn(column), ascending);
    }
    ApplyFilter();

    if (before.isEmpty()) {
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
        return;
    }
    std::vector<uint32_t> rowOf(sorted_.size());
    for (size_t row = 0; row < order_.size(); ++row) rowOf[order_[row]] = static_cast<uint32_t>(row);
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i)
        after << index(static_cast<int>(rowOf[static_cast<size_t>(persistentGames[static_cast<size_t>(i)])]),
                       before[i].column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

// The values of a tag are ranked once, then the rows are counted into place
// by rank: stable, so equal values keep the order the rows had.
void TGameListModel::SortByTag(TPGNTag tag, bool ascending) {
    uint32_t rankCount = 0;
    const std::vector<uint32_t> rankOf = RankTagValues(*games_, tag, rankCount);
    auto keyOf = [&](uint32_t game) {
        const uint32_t rank = rankOf[games_->TagId(static_cast<int>(game), tag)];
        return ascending ? rank : rankCount - 1 - rank;
    };
    std::vector<uint32_t> next(static_cast<size_t>(rankCount) + 1, 0);
    for (const uint32_t game : sorted_) ++next[keyOf(game) + 1];
    for (size_t r = 1; r < next.size(); ++r) next[r] += next[r - 1];
    std::vector<uint32_t> sorted(sorted_.size());
    for (const uint32_t game : sorted_) sorted[next[keyOf(game)]++] = game;
    sorted_.swap(sorted);
}

int TGameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int TGameListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 12; }

QVariant TGameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !games_) return {};
    const int column = index.column();
    const int game = GameOfRow(index.row());
    if (column == gcCheck) {
        if (role == Qt::CheckStateRole) return checks_[static_cast<size_t>(game)] ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    if (role == Qt::TextAlignmentRole && column == gcNumber)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    if (column == gcNumber) return QString::number(game + 1);
    const std::string_view text = games_->Tag(game, TagOfColumn(column));
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant TGameListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= 12) return {};
    if (role == Qt::DisplayRole) return QString(kHeaders[section]);
    if (role == Qt::TextAlignmentRole && section == gcNumber)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags TGameListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == gcCheck) f |= Qt::ItemIsUserCheckable;
    return f;
}

bool TGameListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != gcCheck || role != Qt::CheckStateRole) return false;
    SetChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

}  // namespace vorlix
