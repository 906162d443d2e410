#include "viewers/ui/GameLoading.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <thread>

#include "files/ErrorReporter.h"
#include "files/PGNIndex.h"

namespace vorlix {

namespace {
constexpr int kProgressSteps = 1000;
constexpr int kShowAfterMs = 300;  // quick loads never flash a dialog
constexpr int kPollMs = 50;

std::atomic<bool> gHoldUntilCancelled{false};
std::atomic<bool>* gActiveCancel = nullptr;  // the load under way (GUI thread only)

void WaitForCancel(const std::atomic<bool>& cancel) {
    while (!cancel) std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

}  // namespace

void HoldLoadsUntilCancelledForTests(bool hold) { gHoldUntilCancelled = hold; }

void CancelGameLoading() {
    if (gActiveCancel) *gActiveCancel = true;
}

bool LoadGamesWithProgress(TPGNIndex& index, const QString& fileName, TErrorReporter& reporter, QWidget* parent) {
    std::atomic<bool> cancel{false};
    std::atomic<uint64_t> done{0}, total{1};
    TCollectingReporter messages;  // the worker's messages, shown afterwards on this thread
    bool ok = false;

    QProgressDialog progress("Reading " + QFileInfo(fileName).fileName() + " ...", "&Cancel", 0, kProgressSteps,
                             parent);
    progress.setWindowTitle("PGN Archive");
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(kShowAfterMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);
    QObject::connect(&progress, &QProgressDialog::canceled, [&] { cancel = true; });
    std::atomic<bool>* const outer = gActiveCancel;
    gActiveCancel = &cancel;

    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const uint64_t t = std::max<uint64_t>(total, 1);
        progress.setValue(static_cast<int>(std::min<uint64_t>(done, t) * kProgressSteps / t));
    });
    poll.start(kPollMs);

    std::thread worker([&] {
        // A large file is read on every processor.
        const int jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
        ok = index.LoadFromFile(
            fileName.toStdString(), messages,
            [&](uint64_t d, uint64_t t) {
                done = d;
                total = t;
                if (gHoldUntilCancelled && d > 0) WaitForCancel(cancel);
                return !cancel;
            },
            jobs);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    gActiveCancel = outer;
#ifdef __GLIBC__
    // The reader's buffers were freed in the worker's own heap: give those pages back.
    malloc_trim(0);
#endif
    poll.stop();
    progress.close();
    for (const std::string& message : messages.Messages) reporter.Report(TMsgKind::Error, message);
    return ok;
}

}  // namespace vorlix
