#include "batch/PgnBatchJobs.h"

#include "batch/BatchSources.h"
#include "files/GameGlyphs.h"
#include "files/GameMarks.h"
#include "files/GameReplay.h"
#include "files/PGNIndex.h"
#include "files/PGNReader.h"

namespace vorlix {

TPgnBatchSource::TPgnBatchSource(const TPGNIndex& games, std::vector<int> checked)
    : games_(games), checked_(std::move(checked)) {}

void TPgnBatchSource::GameTags(int i, TPGNRec& tags) const { games_.TagsOf(checked_[size_t(i)], tags); }

bool TPgnBatchSource::ReadGame(int i, TPGNRec& game, TErrorReporter& reporter) const {
    return games_.ReadGame(checked_[size_t(i)], game, reporter);
}

TPgnBatchJobs::TPgnBatchJobs(const TPgnBatchSource& source, const TPgnBatchOptions& options)
    : source_(source), options_(options) {}

bool TPgnBatchJobs::Start() {
    faulty_.clear();
    counters_ = {};
    counters_.GameCount = source_.CheckedGameCount();
    counters_.GameNumber = 1;
    game_ = -1;
    if (counters_.GameCount == 0) return false;
    LoadGame(0);
    return true;
}

void TPgnBatchJobs::LoadGame(int game) {
    game_ = game;
    replay_.Clear();
    replayErrors_.Messages.clear();
    marks_.clear();
    glyphs_.clear();
    ResetGame(record_);
    source_.GameTags(game, tags_);
    const int number = source_.GameNumber(game);
    // A game the file no longer holds as indexed is named with the others.
    bool loaded = source_.ReadGame(game, record_, replayErrors_);
    if (loaded) {
        marks_ = ReadGameMarks(record_);
        if (options_.State.Glyphs) glyphs_ = ReadGameGlyphs(record_);
        loaded = replay_.LoadGame(&record_, number);
    }
    if (!loaded) {
        // Named in the list shown when the run ends; the run goes on meanwhile.
        if (replayErrors_.Messages.empty()) faulty_.push_back(GameMessage(number, "The game could not be read."));
        for (const std::string& message : replayErrors_.Messages) faulty_.push_back(message);
    }
    counters_.PositionCount = replay_.PositionCount();
    setupGame_ = tags_.HasSetup = record_.HasSetup;
    picks_ = PickPositions(replay_.First, setupGame_, options_.Rule, loaded);
    counters_.SelectedCount =
        loaded ? options_.Rule.Custom.SelectedPositionCount(counters_.PositionCount) : int(picks_.size());
    pick_ = 0;
    counters_.PositionNumber = 1;
    counters_.CapturedCount = 0;
}

bool TPgnBatchJobs::NothingToDo() const { return vorlix::NothingToDo(setupGame_, options_.Rule); }

TDiagramJob TPgnBatchJobs::TakeJob() {
    const TPickedPosition& pick = picks_[pick_++];
    const TChessPosition& position = *pick.Position;
    const TPositionMode mode = options_.Rule.Mode;
    if (mode != TPositionMode::Fixed) counters_.PositionNumber = pick.Number;
    if (mode == TPositionMode::Custom) ++counters_.CapturedCount;
    TDiagramJob job;
    std::copy(std::begin(position.Board), std::end(position.Board), job.Codes.begin());
    job.Marks = BatchPositionMarks(marks_, position);
    SetJobGameState(job, position, GlyphAt(glyphs_, PositionIndex(position)), options_.State);
    if (options_.Header) job.HeaderText = ComposeGameCaption(*options_.Header, tags_, position);
    if (options_.Footer) job.FooterText = ComposeGameCaption(*options_.Footer, tags_, position);
    if (options_.FileName)
        job.FileName = PgnBatchFileName(*options_.FileName, mode, options_.Images, counters_.GameNumber, pick.Number);
    return job;
}

TSheetPosition TPgnBatchJobs::NextSheetPosition(int number) const {
    const TChessPosition& position = *picks_[pick_].Position;
    return SheetPositionOfGame(tags_, source_.GameNumber(game_), position, BatchPositionMarks(marks_, position),
                               number);
}

bool TPgnBatchJobs::NextGame() {
    replay_.Clear();
    picks_.clear();
    pick_ = 0;
    if (game_ + 1 >= counters_.GameCount) {
        game_ = -1;
        return false;
    }
    ++counters_.GameNumber;
    LoadGame(game_ + 1);
    return true;
}

}  // namespace vorlix
