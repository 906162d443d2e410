#pragma once
// The game list of the PGN viewer as a table model over the compact game
// index: a check box per game, the game number and ten tags. Only the rows on
// show are ever turned into text, so files of millions of games list at once.
#include <QAbstractTableModel>
#include <array>
#include <cstdint>
#include <vector>

#include "files/PGNIndex.h"
#include "viewers/GameFilter.h"

namespace vorlix {

// Columns: the check box, "Nr.", then the tags in TPGNTag order.
enum TGameListColumn { gcCheck = 0, gcNumber = 1, gcFirstTag = 2, gcEloWhite = 9, gcEloBlack = 10, gcECO = 11 };

class TGameListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TGameListModel(QObject* parent = nullptr);

    // Shows the games of the index in file order, all unchecked; the index must outlive its use here.
    void SetGames(const TPGNIndex* games);
    void Clear() { SetGames(nullptr); }
    const TPGNIndex* Games() const { return games_; }

    // Shows only the games that pass the filter, in the current sort order.
    // Ticks of games hidden stay and come back with them; the check commands,
    // the count and the checked games concern the games shown.
    void SetFilter(const TGameFilter& filter);
    int ShownCount() const { return rowCount(); }

    // The game (0-based, file order) shown in a row, and the row of a game (-1 when hidden).
    int GameOfRow(int row) const { return static_cast<int>(order_[static_cast<size_t>(row)]); }
    int RowOfGame(int game) const;

    bool Checked(int row) const { return checks_[static_cast<size_t>(GameOfRow(row))] != 0; }
    void SetChecked(int row, bool checked);
    void CheckAll(bool checked);
    void InvertChecks();
    int CheckedCount() const { return checkedCount_; }
    // The row of the next checked game at or after fromRow; -1 when none.
    int NextChecked(int fromRow) const;
    // The checked games (0-based, file order) in the order of their rows.
    std::vector<int> CheckedGames() const;

    // A click on a column header: ascending, unless that column was sorted
    // ascending last, then descending. The check-box column does nothing.
    void HeaderClicked(int column);
    void ResetSortState() { sortColumn_ = gcNumber, sortAscending_ = true; }
    void Sort(int column, bool ascending);
    int SortColumn() const { return sortColumn_; }
    bool SortAscending() const { return sortAscending_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    void ChecksChanged();
    void SortByTag(TPGNTag tag, bool ascending);
    void ApplyFilter();

    const TPGNIndex* games_ = nullptr;
    std::vector<uint32_t> sorted_;  // all games in the sort order
    std::vector<uint8_t> shown_;    // per game; empty when nothing is filtered
    std::vector<uint32_t> order_;   // row -> game: the games of sorted_ shown
    std::vector<uint8_t> checks_;   // per game
    int checkedCount_ = 0;          // of the games shown
    int sortColumn_ = gcNumber;
    bool sortAscending_ = true;
};

// Columns hidden because at most a quarter of the first 250 games fill them:
// "Elo White" (WhiteElo other than "?"), "Elo Black" and "ECO" (not empty).
std::array<bool, 12> SparseColumns(const TPGNIndex& games);

// The place of each value of a tag (by id) in case-insensitive order, from 0;
// equal values share a place. rankCount tells how many places there are.
std::vector<uint32_t> RankTagValues(const TPGNIndex& games, TPGNTag tag, uint32_t& rankCount);

// Case-insensitive order of UTF-8 texts; negative, zero or positive.
int CompareTextNoCase(std::string_view a, std::string_view b);

}  // namespace vorlix
