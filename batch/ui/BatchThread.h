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
        Cancelled_ = false;
        Finished_ = false;
        Fresh_ = false;
        Thread_ = std::thread([this, loop = std::move(loop)] {
            loop();
            Finished_ = true;
        });
    }
    bool Running() const { return Thread_.joinable() && !Finished_; }
    bool Finished() const { return Finished_; }
    void Join() {
        if (Thread_.joinable()) Thread_.join();
    }

    void Cancel() { Cancelled_ = true; }
    bool Cancelled() const { return Cancelled_; }

    // From the loop: what the dialog is to show now.
    void Publish(const TSnapshot& snapshot) {
        std::lock_guard<std::mutex> lock(Lock_);
        Snapshot_ = snapshot;
        Fresh_ = true;
    }
    // From the dialog: the newest snapshot, if one came since the last take.
    bool Take(TSnapshot& snapshot) {
        std::lock_guard<std::mutex> lock(Lock_);
        if (!Fresh_) return false;
        snapshot = Snapshot_;
        Fresh_ = false;
        return true;
    }

private:
    std::thread Thread_;
    std::atomic<bool> Cancelled_{false}, Finished_{false};
    std::mutex Lock_;
    TSnapshot Snapshot_{};
    bool Fresh_ = false;
};

}  // namespace vorlix
