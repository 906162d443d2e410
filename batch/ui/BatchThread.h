#pragma once
// Runs the loop of a batch dialog's run on a thread of its own, so that files
// are written at full speed while the dialog stays responsive. The loop leaves
// what the dialog shows in a snapshot; the dialog takes the newest one on its
// own clock (a diagram shown late is merely skipped on screen). Cancel reaches
// the loop between diagrams; Join waits for its end.
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

namespace vorlix {

template <class TSnapshot>
class TBatchThread {
public:
    TBatchThread() = default;
    ~TBatchThread() {
        Cancel();
        Join();
    }
    TBatchThread(const TBatchThread&) = delete;
    TBatchThread& operator=(const TBatchThread&) = delete;

    // Starts the loop; it runs until it returns.
    void Start(std::function<void()> loop) {
        Join();
        cancelled_ = false;
        finished_ = false;
        fresh_ = false;
        thread_ = std::thread([this, loop = std::move(loop)] {
            loop();
            finished_ = true;
        });
    }
    bool Running() const { return thread_.joinable() && !finished_; }
    bool Finished() const { return finished_; }
    void Join() {
        if (thread_.joinable()) thread_.join();
    }

    void Cancel() { cancelled_ = true; }
    bool Cancelled() const { return cancelled_; }

    // From the loop: what the dialog is to show now.
    void Publish(const TSnapshot& snapshot) {
        std::lock_guard<std::mutex> lock(lock_);
        snapshot_ = snapshot;
        fresh_ = true;
    }
    // From the dialog: the newest snapshot, if one came since the last take.
    bool Take(TSnapshot& snapshot) {
        std::lock_guard<std::mutex> lock(lock_);
        if (!fresh_) return false;
        snapshot = snapshot_;
        fresh_ = false;
        return true;
    }

private:
    std::thread thread_;
    std::atomic<bool> cancelled_{false}, finished_{false};
    std::mutex lock_;
    TSnapshot snapshot_{};
    bool fresh_ = false;
};

}  // namespace vorlix
