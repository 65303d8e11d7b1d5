// printer-sim's network side: the one wireless network a simulated printer can join, and the
// printer on it, listening on TCP at its address and port once it has joined.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "sim/sim_join_view.h"

struct SimNetworkConfig {
    std::string ssid;
    std::optional<std::string> key;  // none: an open network
    unsigned joinDelayMs = 0;        // from the end of a save to the printer on the network
    std::string dhcpAddress;         // what DHCP gives the printer; "": no DHCP server
};

struct SimJoinDecision {
    bool joins = false;
    std::string address;  // where it listens when it joins
    uint16_t port = 0;
    std::string why;  // why it does not
};

// Whether a printer holding `view` joins the network, and at which address and port.
SimJoinDecision DecideJoin(const SimNetworkConfig& network, const SimJoinView& view);

// "" for a dotted IPv4 address in 127.0.0.0/8; otherwise the rule that `address` breaks. The
// simulated network never listens anywhere else: a printer's default address is a private one,
// which tests must never reach.
std::string LoopbackRuleBroken(const std::string& address);

// The network in time: a printer that joins does so joinDelayMs after Update, and is then
// reachable (each connection accepted and closed at once, no byte sent) until an Update that
// leaves or rejoins. `say` hears each join, leave and failure to join, from any thread.
class CSimNetwork {
  public:
    CSimNetwork(SimNetworkConfig network, std::function<void(const std::string&)> say);
    ~CSimNetwork();
    CSimNetwork(const CSimNetwork&) = delete;
    CSimNetwork& operator=(const CSimNetwork&) = delete;

    // The printer's settings after a save (or at power-on): like a restart of its radio, it
    // leaves the network, and joins again after the delay when they fit.
    void Update(const std::optional<SimJoinView>& view);

  private:
    using Clock = std::chrono::steady_clock;
    void Run();
    int Listen(const SimJoinDecision& decision);

    const SimNetworkConfig network_;
    const std::function<void(const std::string&)> say_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<SimJoinDecision> pending_;  // joins at joinAt_
    Clock::time_point joinAt_;
    unsigned updates_ = 0;  // the worker leaves when this moves
    bool stop_ = false;
    std::thread worker_;
};
