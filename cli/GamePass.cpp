#include "cli/GamePass.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "files/PGNParts.h"
#include "files/PGNReader.h"
#include "files/Processors.h"

namespace vorlix::cli {

namespace {

// Parts small enough that the text of the few kept at a time stays small. A
// pass that writes the moves (a line a ply) writes many times what it reads,
// so its parts are smaller.
constexpr uint64_t kPartSize = 2 << 20;
constexpr uint64_t kMovePartSize = 256 << 10;
uint64_t gPartSizeForTests = 0;

struct TPart {
    TGameText Text;
    TCollectingReporter Errors;
    bool Read = false;
    bool Done = false;
};

TGamePass WriteInOneJob(const std::string& fileName, TErrorReporter& reporter, TOutputBuffer& out,
                        const TGameWriter& write, TMoveText moveText) {
    TGameText text(out);
    TPGNRec game;
    TGamePass pass;
    pass.Read = ReadPGNFile(
        fileName, reporter,
        [&] {
            ResetGame(game);
            return &game;
        },
        [&](TPGNRec& done) {
            write(text, done);
            pass.FailedGames += text.ReportFailures(reporter, 0);
            text.MaybeFlush();
        },
        nullptr, moveText);
    return pass;
}

// Workers read the parts in order; at most `window` parts wait to be written.
class TPartRunner {
public:
    TPartRunner(const std::string& fileName, const std::vector<uint64_t>& cuts, int jobs, const TGameWriter& write,
                TMoveText moveText)
        : fileName_(fileName),
          cuts_(cuts),
          window_(static_cast<size_t>(jobs) + 1),
          write_(write),
          moveText_(moveText),
          parts_(cuts.size() - 1) {
        // Fewer threads when the system cannot start them all; none is told by Workers().
        try {
            for (int i = 0; i < jobs; ++i) workers_.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
        }
    }
    size_t Workers() const { return workers_.size(); }
    ~TPartRunner() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        for (std::thread& t : workers_) t.join();
    }

    TGamePass WriteAll(TErrorReporter& reporter, TOutputBuffer& out) {
        TGamePass pass;
        int games = 0;
        for (size_t k = 0; k < parts_.size(); ++k) {
            std::unique_ptr<TPart> part;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [&] { return (parts_[k] && parts_[k]->Done) || outOfMemory_; });
                if (!parts_[k] || !parts_[k]->Done) throw std::bad_alloc();  // a worker ran out
                part = std::move(parts_[k]);
                written_ = k + 1;
            }
            changed_.notify_all();
            part->Text.WriteTo(out, games);
            pass.FailedGames += part->Text.ReportFailures(reporter, games);
            games += part->Text.Games();
            {
                std::lock_guard<std::mutex> lock(mutex_);
                spare_.push_back(part->Text.ReleaseBuffer());
            }
            if (!part->Read) {
                for (const std::string& message : part->Errors.Messages) reporter.Report(TMsgKind::Error, message);
                pass.Read = false;
                return pass;
            }
        }
        return pass;
    }

private:
    // A worker that runs out of memory stops; the writer then gives up with the
    // same exception, which ends the command with a message.
    void Work() {
        try {
            WorkParts();
        } catch (const std::bad_alloc&) {
            std::lock_guard<std::mutex> lock(mutex_);
            outOfMemory_ = true;
        }
        changed_.notify_all();
    }

    void WorkParts() {
        for (;;) {
            const size_t k = next_.fetch_add(1);
            if (k >= parts_.size()) return;
            auto part = std::make_unique<TPart>();
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [&] { return stop_ || k < written_ + window_; });
                if (stop_) return;
                if (!spare_.empty()) {
                    part->Text.UseBuffer(std::move(spare_.back()));
                    spare_.pop_back();
                }
            }
            TPGNRec game;
            part->Read = ReadPGNPart(
                fileName_, cuts_[k], cuts_[k + 1], part->Errors,
                [&] {
                    ResetGame(game);
                    return &game;
                },
                [&](TPGNRec& done) { write_(part->Text, done); }, moveText_);
            part->Done = true;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                parts_[k] = std::move(part);
            }
            changed_.notify_all();
        }
    }

    const std::string& fileName_;
    const std::vector<uint64_t>& cuts_;
    const size_t window_;
    const TGameWriter& write_;
    const TMoveText moveText_;
    std::vector<std::unique_ptr<TPart>> parts_;
    std::vector<std::string> spare_;  // buffers of parts written, for the next parts
    std::atomic<size_t> next_{0};
    size_t written_ = 0;
    bool stop_ = false;
    bool outOfMemory_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::thread> workers_;
};

}  // namespace

TGamePass WriteEveryGame(const std::string& fileName, int jobs, TErrorReporter& reporter, TOutputBuffer& out,
                         const TGameWriter& write, TMoveText moveText) {
    if (jobs <= 1) return WriteInOneJob(fileName, reporter, out, write, moveText);
    const uint64_t partSize = gPartSizeForTests             ? gPartSizeForTests
                              : moveText == TMoveText::Keep ? kMovePartSize
                                                            : kPartSize;
    const std::vector<uint64_t> cuts = SplitPGNFile(fileName, partSize);
    if (cuts.size() <= 2) return WriteInOneJob(fileName, reporter, out, write, moveText);
    {
        TPartRunner runner(fileName, cuts, jobs, write, moveText);
        if (runner.Workers() > 0) return runner.WriteAll(reporter, out);
    }
    return WriteInOneJob(fileName, reporter, out, write, moveText);
}

void SetPartSizeForTests(uint64_t bytes) { gPartSizeForTests = bytes; }

int DefaultJobs() { return AvailableProcessors(); }

}  // namespace vorlix::cli
