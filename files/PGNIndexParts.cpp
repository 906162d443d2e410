// The game index of a large file read in parts on several threads.
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include "files/PGNIndex.h"
#include "files/PGNReader.h"

namespace vorlix {

namespace {
constexpr uint64_t kProgressStep = 1 << 20;  // progress is told this often
constexpr uint64_t kCountStep = 64 << 10;    // a part adds what it has read this often
}  // namespace

// Each part is read into an index of its own; the parts are appended to the
// whole in file order as they are done. A part that failed or was stopped
// ends the list, as the end of reading would with one reader.
class TPGNIndex::TPartLoader {
public:
    TPartLoader(TPGNIndex& whole, const std::vector<uint64_t>& cuts, const TProgress& progress)
        : Whole_(whole), Cuts_(cuts), Progress_(progress), Parts_(cuts.size() - 1) {}

    bool Run(int jobs, TErrorReporter& reporter) {
        std::vector<std::thread> helpers;
        for (int j = 1; j < jobs && static_cast<size_t>(j) < Parts_.size(); ++j) helpers.emplace_back([this] { Work(); });
        Work();
        for (std::thread& helper : helpers) helper.join();
        // Parts never read because of a stop end the list where they begin.
        if (!Ended_ && Appended_ < Parts_.size()) End(Cuts_[Appended_], true);
        Whole_.FinishAdding(Ended_ ? End_ : Cuts_.back());
        if (Failed_) {
            for (const std::string& message : Failed_->Messages.Messages) reporter.Report(TMsgKind::Error, message);
            return false;
        }
        return true;
    }

private:
    struct TPart {
        std::unique_ptr<TPGNIndex> Games;
        TCollectingReporter Messages;
        bool Read = false;  // set under Mutex_ once the part is done with
        bool Ok = true;
        bool Stopped = false;
        uint64_t StoppedAt = 0;  // where its list ends after a stop
    };

    // Tells where games start and the progress, and passes on a stop.
    class TPartObserver : public TPGNReadObserver {
    public:
        TPartObserver(TPartLoader& loader, uint64_t begin) : Loader(loader), Reported(begin), GameOffset(begin) {}
        void GameStarts(uint64_t offset) override {
            GameOffset = offset;
            GameStarted = true;
        }
        bool BeforeLine(uint64_t offset) override {
            if (offset - Reported >= kCountStep) {
                Loader.Advance(offset - Reported);
                Reported = offset;
            }
            Stopped = Loader.Stop_;
            return !Stopped;
        }

        TPartLoader& Loader;
        uint64_t Reported;
        uint64_t GameOffset;  // where the game being read starts
        bool GameStarted = false;
        bool Stopped = false;
    };

    void Work() {
        for (size_t k = Next_++; k < Parts_.size() && !Stop_ && k <= FailedPart_; k = Next_++) {
            ReadPart(k);
            std::lock_guard<std::mutex> lock(Mutex_);
            Parts_[k].Read = true;
            AppendReadParts();
        }
    }

    void ReadPart(size_t k) {
        TPart& part = Parts_[k];
        part.Games = std::make_unique<TPGNIndex>();
        TPartObserver observer(*this, Cuts_[k]);
        TPGNRec game;
        part.Ok = ReadPGNPart(
            Whole_.FileName_, Cuts_[k], Cuts_[k + 1], part.Messages,
            [&] {
                ResetGame(game);
                return &game;
            },
            [&](TPGNRec& done) { part.Games->AddGame(done, observer.GameOffset); }, TMoveText::Skip, &observer);
        if (!observer.Stopped) Advance(Cuts_[k + 1] - observer.Reported);
        part.Stopped = observer.Stopped;
        // A stop drops the game being read: the list ends where it starts.
        part.StoppedAt = observer.GameStarted ? observer.GameOffset : Cuts_[k];
        if (!part.Ok) {
            size_t failed = FailedPart_;
            while (k < failed && !FailedPart_.compare_exchange_weak(failed, k)) {
            }
        }
    }

    // Under Mutex_: appends the parts read, in order, up to the first not read yet.
    void AppendReadParts() {
        for (; !Ended_ && Appended_ < Parts_.size() && Parts_[Appended_].Read; ++Appended_) {
            TPart& part = Parts_[Appended_];
            Whole_.Append(*part.Games);
            part.Games.reset();
            if (!part.Ok) {
                Failed_ = &part;
                End(Cuts_.back(), false);  // as one reader: the last game runs to the end of the file
            } else if (part.Stopped) {
                End(part.StoppedAt, true);
            }
        }
    }

    void End(uint64_t at, bool stopped) {
        Ended_ = true;
        End_ = at;
        if (stopped) Whole_.Stopped_ = true;
    }

    // Counts bytes read; progress is told once a step more is read.
    void Advance(uint64_t bytes) {
        const uint64_t done = Done_ += bytes;
        if (!Progress_ || done < NextReport_) return;
        std::lock_guard<std::mutex> lock(ProgressMutex_);
        if (Stop_ || done < NextReport_) return;
        NextReport_ = done + kProgressStep;
        if (!Progress_(done, Cuts_.back())) Stop_ = true;
    }

    TPGNIndex& Whole_;
    const std::vector<uint64_t>& Cuts_;
    const TProgress& Progress_;
    std::vector<TPart> Parts_;
    std::atomic<size_t> Next_{0};
    std::atomic<size_t> FailedPart_{SIZE_MAX};  // no part after a failed one is needed
    std::atomic<bool> Stop_{false};
    std::atomic<uint64_t> Done_{0};
    std::atomic<uint64_t> NextReport_{kProgressStep};
    std::mutex Mutex_;  // the parts' Read flags and appending
    std::mutex ProgressMutex_;
    size_t Appended_ = 0;
    bool Ended_ = false;
    uint64_t End_ = 0;
    const TPart* Failed_ = nullptr;
};

bool TPGNIndex::LoadInParts(const std::vector<uint64_t>& cuts, int jobs, TErrorReporter& reporter,
                            const TProgress& progress) {
    TPartLoader loader(*this, cuts, progress);
    return loader.Run(jobs, reporter);
}

}  // namespace vorlix
