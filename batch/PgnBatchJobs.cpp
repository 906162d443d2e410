#include "batch/PgnBatchJobs.h"

#include "batch/BatchSources.h"
#include "files/GameMarks.h"
#include "files/GameReplay.h"
#include "files/PGNIndex.h"
#include "files/PGNReader.h"

namespace vorlix {

TPgnBatchSource::TPgnBatchSource(const TPGNIndex& games, std::vector<int> checked)
    : Games_(games), Checked_(std::move(checked)) {}

void TPgnBatchSource::GameTags(int i, TPGNRec& tags) const { Games_.TagsOf(Checked_[size_t(i)], tags); }

bool TPgnBatchSource::ReadGame(int i, TPGNRec& game, TErrorReporter& reporter) const {
    return Games_.ReadGame(Checked_[size_t(i)], game, reporter);
}

TPgnBatchJobs::TPgnBatchJobs(const TPgnBatchSource& source, const TPgnBatchOptions& options)
    : Source_(source), Options_(options) {}

bool TPgnBatchJobs::Start() {
    Faulty_.clear();
    Counters_ = {};
    Counters_.GameCount = Source_.CheckedGameCount();
    Counters_.GameNumber = 1;
    Game_ = -1;
    if (Counters_.GameCount == 0) return false;
    LoadGame(0);
    return true;
}

void TPgnBatchJobs::LoadGame(int game) {
    Game_ = game;
    Replay_.Clear();
    ReplayErrors_.Messages.clear();
    Marks_.clear();
    ResetGame(Record_);
    Source_.GameTags(game, Tags_);
    const int number = Source_.GameNumber(game);
    // A game the file no longer holds as indexed is named with the others.
    bool loaded = Source_.ReadGame(game, Record_, ReplayErrors_);
    if (loaded) {
        Marks_ = ReadGameMarks(Record_);
        loaded = Replay_.LoadGame(&Record_, number);
    }
    if (!loaded) {
        // Named in the list shown when the run ends; the run goes on meanwhile.
        if (ReplayErrors_.Messages.empty()) Faulty_.push_back(GameMessage(number, "The game could not be read."));
        for (const std::string& message : ReplayErrors_.Messages) Faulty_.push_back(message);
    }
    Counters_.PositionCount = Replay_.PositionCount();
    SetupGame_ = Tags_.HasSetup = Record_.HasSetup;
    Picks_ = PickPositions(Replay_.First, SetupGame_, Options_.Rule, loaded);
    Counters_.SelectedCount =
        loaded ? Options_.Rule.Custom.SelectedPositionCount(Counters_.PositionCount) : int(Picks_.size());
    Pick_ = 0;
    Counters_.PositionNumber = 1;
    Counters_.CapturedCount = 0;
}

bool TPgnBatchJobs::NothingToDo() const { return vorlix::NothingToDo(SetupGame_, Options_.Rule); }

TDiagramJob TPgnBatchJobs::TakeJob() {
    const TPickedPosition& pick = Picks_[Pick_++];
    const TChessPosition& position = *pick.Position;
    const TPositionMode mode = Options_.Rule.Mode;
    if (mode != TPositionMode::Fixed) Counters_.PositionNumber = pick.Number;
    if (mode == TPositionMode::Custom) ++Counters_.CapturedCount;
    TDiagramJob job;
    std::copy(std::begin(position.Board), std::end(position.Board), job.Codes.begin());
    job.Marks = BatchPositionMarks(Marks_, position);
    if (Options_.Header) job.HeaderText = ComposeGameCaption(*Options_.Header, Tags_, position);
    if (Options_.Footer) job.FooterText = ComposeGameCaption(*Options_.Footer, Tags_, position);
    if (Options_.FileName)
        job.FileName = PgnBatchFileName(*Options_.FileName, mode, Options_.Images, Counters_.GameNumber, pick.Number);
    return job;
}

bool TPgnBatchJobs::NextGame() {
    Replay_.Clear();
    Picks_.clear();
    Pick_ = 0;
    if (Game_ + 1 >= Counters_.GameCount) {
        Game_ = -1;
        return false;
    }
    ++Counters_.GameNumber;
    LoadGame(Game_ + 1);
    return true;
}

}  // namespace vorlix
