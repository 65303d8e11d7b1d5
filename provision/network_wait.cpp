// The wait for a printer on its network, on a thread of its own.
#include "provision/network_wait.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

// What the thread and its owner share; the thread keeps it alive after the owner lets it go.
struct CNetworkWait::Shared final : CWaitStop {
    std::mutex mutex;
    std::condition_variable stopping;
    bool stopped = false;
    News news;

    bool WaitFor(std::chrono::milliseconds limit) override {
        std::unique_lock<std::mutex> lock(mutex);
        return stopping.wait_for(lock, limit, [this] { return stopped; });
    }
    void Tell(int elapsed, const NetworkResult* result) {
        std::lock_guard<std::mutex> lock(mutex);
        if (!stopped)
            news(elapsed, result);
    }
};

void CNetworkWait::Start(const NetworkTarget& target, const NetworkProbes& probes,
                         std::chrono::seconds limit, std::chrono::steady_clock::time_point since,
                         News news) {
    Cancel();
    auto shared = std::make_shared<Shared>();
    shared->news = std::move(news);
    shared_ = shared;
    // Detached: a lookup may take seconds to return, and nobody need wait for it once cancelled.
    std::thread([shared, target, probes, limit, since] {
        const NetworkResult result =
            AwaitPrinter(target, probes, limit, since, *shared,
                         [&](int elapsed) { shared->Tell(elapsed, nullptr); });
        shared->Tell(0, &result);
    }).detach();
}

void CNetworkWait::Cancel() {
    if (!shared_)
        return;
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->stopped = true;
    }
    shared_->stopping.notify_all();
    shared_.reset();
}
