#pragma once
// What the batch diagram tools read: the checked games of a PGN file, taken
// from the file's game index in the order the game list shows them, or the
// ticked records of an EPD archive. Neither needs a viewer window.
#include <QString>
#include <vector>

namespace vorlix {

struct TEPDRec;
struct TPGNRec;
class TErrorReporter;
class TPGNIndex;

class TPgnBatchSource {
public:
    // games: the open file's index, which must outlive the source; checked:
    // the checked games (0-based, file order) in list order.
    TPgnBatchSource(const TPGNIndex& games, std::vector<int> checked);

    int CheckedGameCount() const { return static_cast<int>(checked_.size()); }
    // The i-th checked game's 1-based number in file order.
    int GameNumber(int i) const { return checked_[static_cast<size_t>(i)] + 1; }
    // Its tags as the game list shows them (Moves, FEN and HasSetup stay empty).
    void GameTags(int i, TPGNRec& tags) const;
    // The whole game, read again from the file; false after a read error
    // reported to the reporter. Any thread.
    bool ReadGame(int i, TPGNRec& game, TErrorReporter& reporter) const;

private:
    const TPGNIndex& games_;
    std::vector<int> checked_;
};

class TEpdBatchSource {
public:
    virtual ~TEpdBatchSource() = default;
    // The ticked records in list order.
    virtual std::vector<const TEPDRec*> TickedRecords() const = 0;
    // The custom header and footer texts the dialog shows when it opens; the
    // dialog hands them back when it closes, to be shown at its next opening.
    virtual QString BatchHeaderText() const { return {}; }
    virtual QString BatchFooterText() const { return {}; }
    virtual void KeepBatchTexts(const QString& /*header*/, const QString& /*footer*/) {}
};

}  // namespace vorlix
