// The wait for a printer on its network, on a thread of its own, for a window that must not
// freeze while it goes on.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "provision/printer_network.h"

class CNetworkWait {
  public:
    // On the wait's thread: each second's start (result null), then the result.
    using News = std::function<void(int elapsed, const NetworkResult* result)>;

    CNetworkWait() = default;
    ~CNetworkWait() { Cancel(); }
    CNetworkWait(const CNetworkWait&) = delete;
    CNetworkWait& operator=(const CNetworkWait&) = delete;

    // Starts waiting as AwaitPrinter does, ending any wait under way first.
    void Start(const NetworkTarget& target, const NetworkProbes& probes, std::chrono::seconds limit,
               std::chrono::steady_clock::time_point since, News news);
    // Ends the wait under way: no news comes once it returns. The thread itself ends at its next
    // attempt, within a quarter of a second, or once a lookup under way returns.
    void Cancel();

  private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};
