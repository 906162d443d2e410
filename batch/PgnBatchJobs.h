#pragma once
// The diagrams of a PGN batch run, game by game: each checked game replayed,
// its positions picked by the rule, each picked position a job with its marks,
// captions and file name, and the counters the dialog shows on the way.
#include <optional>
#include <string>
#include <vector>

#include "batch/BatchFileName.h"
#include "batch/BatchRunner.h"
#include "batch/GameCaption.h"
#include "batch/GameStateChoice.h"
#include "batch/PositionPicker.h"
#include "batch/Worksheet.h"
#include "files/ErrorReporter.h"
#include "files/PGNPos.h"
#include "files/PGNRecord.h"

namespace vorlix {

class TPgnBatchSource;

struct TPgnBatchOptions {
    TPositionRule Rule;
    // The items of an enabled header or footer; none leaves the style's text.
    std::optional<TCaptionItems> Header, Footer;
    // The side to move, last move, check and glyph each diagram shows.
    TGameStateChoice State;
    // Numbered files from this name (image files when Images); none for the printer.
    std::optional<TChosenName> FileName;
    bool Images = true;
};

// Where the walk stands: the dialog's counters.
struct TPgnBatchCounters {
    int GameCount = 0;       // checked games
    int GameNumber = 0;      // 1-based among them
    int PositionCount = 0;   // of the current game, its starting position included
    int PositionNumber = 0;  // 1-based
    int SelectedCount = 0;   // custom selection: chosen positions of the game
    int CapturedCount = 0;   // custom selection: of those handled so far
};

class TPgnBatchJobs {
public:
    TPgnBatchJobs(const TPgnBatchSource& source, const TPgnBatchOptions& options);

    // Takes the first game; false when there is none.
    bool Start();
    // Whether a game is in hand (false once the last game is done).
    bool InGame() const { return game_ >= 0; }
    // The game in hand gives no diagram (a set-up game with its fixed positions switched off).
    bool NothingToDo() const;
    // The game in hand has another position to give.
    bool HasJob() const { return pick_ < picks_.size(); }
    // The next position's diagram; the counters move to it.
    TDiagramJob TakeJob();
    // The position TakeJob gives next, as the worksheet's diagram number.
    TSheetPosition NextSheetPosition(int number) const;
    // Drops the rest of the game in hand.
    void SkipRest() { pick_ = picks_.size(); }
    // Takes the next game; false (and no game in hand) after the last.
    bool NextGame();

    const TPgnBatchCounters& Counters() const { return counters_; }
    // The games cut short or skipped so far, each named.
    const std::vector<std::string>& FaultyGames() const { return faulty_; }

private:
    void LoadGame(int game);

    const TPgnBatchSource& source_;
    TPgnBatchOptions options_;
    TCollectingReporter replayErrors_;
    TPGNPos replay_{replayErrors_};
    TPGNRec record_, tags_;  // the game in hand, and its tags as listed
    std::vector<TBoardMarks> marks_;
    std::vector<std::string> glyphs_;
    std::vector<TPickedPosition> picks_;
    size_t pick_ = 0;
    bool setupGame_ = false;
    int game_ = -1;
    TPgnBatchCounters counters_;
    std::vector<std::string> faulty_;
};

}  // namespace vorlix
