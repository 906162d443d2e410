#pragma once
// What the batch diagram tools read from the viewer that started them: the
// checked games of a PGN archive or the ticked records of an EPD archive.
// The viewers implement these; the batch tools and their tests depend on
// nothing else of a viewer.
#include <QString>
#include <vector>

namespace vorlix {

struct TChessPosition;
struct TEPDRec;
struct TPGNRec;
class TPGNPos;

class TPgnBatchSource {
public:
    virtual ~TPgnBatchSource() = default;
    virtual int GameRowCount() const = 0;
    virtual int CheckedGameCount() const = 0;
    // The list row of the next checked game at or after fromRow; -1 when none.
    virtual int NextCheckedGame(int fromRow) const = 0;
    // The game's tags; its moves need not be loaded (LoadGame replays them).
    virtual const TPGNRec& GameTags(int row) const = 0;
    // The game's 1-based number in file order.
    virtual int GameNumber(int row) const = 0;
    // Replays the game into the chain; false after an error reported to the
    // chain's reporter, naming the game by its GameNumber (TPGNPos::LoadGame
    // with the number), with the positions before the faulty move kept.
    virtual bool LoadGame(int row, TPGNPos& chain) = 0;
    // Copies the 64 squares to the main board; repaints unless told not to.
    virtual void ShowPositionOnBoard(const TChessPosition& position, bool refresh) = 0;
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
