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
        : whole_(whole), cuts_(cuts), progress_(progress), parts_(cuts.size() - 1) {}

    bool Run(int jobs, TErrorReporter& reporter) {
        std::vector<std::thread> helpers;
        for (int j = 1; j < jobs && static_cast<size_t>(j) < parts_.size(); ++j)
            helpers.emplace_back([this] { Work(); });
        Work();
        for (std::thread& helper : helpers) helper.join();
        // Parts never read because of a stop end the list where they begin.
        if (!ended_ && appended_ < parts_.size()) End(cuts_[appended_], true);
        whole_.FinishAdding(ended_ ? end_ : cuts_.back());
        if (failed_) {
            for (const std::string& message : failed_->Messages.Messages) reporter.Report(TMsgKind::Error, message);
            return false;
        }
        return true;
    }

private:
    struct TPart {
        std::unique_ptr<TPGNIndex> Games;
        TCollectingReporter Messages;
        bool Read = false;  // set under mutex_ once the part is done with
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
            Stopped = Loader.stop_;
            return !Stopped;
        }

        TPartLoader& Loader;
        uint64_t Reported;
        uint64_t GameOffset;  // where the game being read starts
        bool GameStarted = false;
        bool Stopped = false;
    };

    void Work() {
        for (size_t k = next_++; k < parts_.size() && !stop_ && k <= failedPart_; k = next_++) {
            ReadPart(k);
            std::lock_guard<std::mutex> lock(mutex_);
            parts_[k].Read = true;
            AppendReadParts();
        }
    }

    void ReadPart(size_t k) {
        TPart& part = parts_[k];
        part.Games = std::make_unique<TPGNIndex>();
        TPartObserver observer(*this, cuts_[k]);
        TPGNRec game;
        part.Ok = ReadPGNPart(
            whole_.fileName_, cuts_[k], cuts_[k + 1], part.Messages,
            [&] {
                ResetGame(game);
                return &game;
            },
            [&](TPGNRec& done) { part.Games->AddGame(done, observer.GameOffset); }, TMoveText::Skip, &observer);
        if (!observer.Stopped) Advance(cuts_[k + 1] - observer.Reported);
        part.Stopped = observer.Stopped;
        // A stop drops the game being read: the list ends where it starts.
        part.StoppedAt = observer.GameStarted ? observer.GameOffset : cuts_[k];
        if (!part.Ok) {
            size_t failed = failedPart_;
            while (k < failed && !failedPart_.compare_exchange_weak(failed, k)) {
            }
        }
    }

    // Under mutex_: appends the parts read, in order, up to the first not read yet.
    void AppendReadParts() {
        for (; !ended_ && appended_ < parts_.size() && parts_[appended_].Read; ++appended_) {
            TPart& part = parts_[appended_];
            whole_.Append(*part.Games);
            part.Games.reset();
            if (!part.Ok) {
                failed_ = &part;
                End(cuts_.back(), false);  // as one reader: the last game runs to the end of the file
            } else if (part.Stopped) {
                End(part.StoppedAt, true);
            }
        }
    }

    void End(uint64_t at, bool stopped) {
        ended_ = true;
        end_ = at;
        if (stopped) whole_.stopped_ = true;
    }

    // Counts bytes read; progress is told once a step more is read.
    void Advance(uint64_t bytes) {
        const uint64_t done = done_ += bytes;
        if (!progress_ || done < nextReport_) return;
        std::lock_guard<std::mutex> lock(progressMutex_);
        if (stop_ || done < nextReport_) return;
        nextReport_ = done + kProgressStep;
        if (!progress_(done, cuts_.back())) stop_ = true;
    }

    TPGNIndex& whole_;
    const std::vector<uint64_t>& cuts_;
    const TProgress& progress_;
    std::vector<TPart> parts_;
    std::atomic<size_t> next_{0};
    std::atomic<size_t> failedPart_{SIZE_MAX};  // no part after a failed one is needed
    std::atomic<bool> stop_{false};
    std::atomic<uint64_t> done_{0};
    std::atomic<uint64_t> nextReport_{kProgressStep};
    std::mutex mutex_;  // the parts' Read flags and appending
    std::mutex progressMutex_;
    size_t appended_ = 0;
    bool ended_ = false;
    uint64_t end_ = 0;
    const TPart* failed_ = nullptr;
};

bool TPGNIndex::LoadInParts(const std::vector<uint64_t>& cuts, int jobs, TErrorReporter& reporter,
                            const TProgress& progress) {
    TPartLoader loader(*this, cuts, progress);
    return loader.Run(jobs, reporter);
}

}  // namespace vorlix
