// Whether a printer, once written, is seen on its network: where to look for it and the wait for
// it to accept a TCP connection.
#pragma once

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// What verify found; state "" when it did not run.
struct NetworkResult {
    std::string state;  // reachable, unreachable or not_checked
    std::string address;
    uint16_t port = 0;
    double seconds = 0;   // reachable: from the start of the save (or of the wait) to the answer
    std::string foundBy;  // reachable: static, inventory, command_line, mdns or neighbour
    std::string reason;   // unreachable and not_checked: why
};

// The "network" object of a printer's JSON, and back; false when object is not one.
nlohmann::json NetworkJson(const NetworkResult& result);
bool NetworkFromJson(const nlohmann::json& object, NetworkResult* result);
// The line under the printer's result: "network: reachable at 10.0.0.5:9100 (static) after 3 s".
std::string NetworkText(const NetworkResult& result);

// Where the printer should be. Either notChecked says why it is not looked for, or address (with
// foundBy) is known, or it is looked up on each attempt: by mdnsName, then by macKey.
struct NetworkTarget {
    std::string notChecked;
    std::string address, foundBy;
    std::string mdnsName;  // "<name>.local"; "" for none
    std::string macKey;    // as MacKey gives it; "" for none
    uint16_t port = 0;
};

// The target of a printer of family holding settings (a profile's "settings" object), whose page
// showed mac; given is an address for it from the inventory or the command line (foundBy names
// which), "" for none. A Wi-Fi module's mDNS name is the one the profile applied to it, profiled,
// gives: in Infrastructure mode the module reports none.
NetworkTarget TargetOf(const std::string& family, const nlohmann::json& settings,
                       const nlohmann::json& profiled, const std::string& mac,
                       const std::string& given, const std::string& givenBy);

// Connection attempts to one printer under way at once, each given up after its life and closed
// at once with no byte sent.
class CConnectAttempts {
  public:
    virtual ~CConnectAttempts() = default;
    // Starts an attempt at address:port; false when none could start.
    virtual bool Start(const std::string& address, uint16_t port,
                       std::chrono::milliseconds life) = 0;
    // Waits at most limit for one of the attempts under way to be accepted: whether one was.
    virtual bool WaitAccepted(std::chrono::milliseconds limit) = 0;
};

// The system's probes, apart so that a test can stand in for them.
struct NetworkProbes {
    std::function<std::unique_ptr<CConnectAttempts>()> attempts;
    std::function<std::string(const std::string&)> resolve, neighbour;
};
NetworkProbes SystemProbes();

// What ends a wait early: the command line's Ctrl-C, the window's Cancel. Any thread.
class CWaitStop {
  public:
    // Waits for the stop for as long as given at most; whether it came.
    virtual bool WaitFor(std::chrono::milliseconds limit) = 0;

  protected:
    ~CWaitStop() = default;
};

// How often a new attempt starts while the printer has not answered, and how long each lasts:
// a printer is noticed within a quarter of a second of its joining, with at most four attempts
// a second under way.
constexpr auto kAttemptGap = std::chrono::milliseconds(250);
constexpr auto kAttemptLife = std::chrono::milliseconds(1000);

// Tries the target from `since` until it accepts a connection or `limit` has passed, a new
// attempt every kAttemptGap; waiting(elapsed seconds) is called as each second begins. A target
// that says not checked is not tried.
NetworkResult AwaitPrinter(const NetworkTarget& target, const NetworkProbes& probes,
                           std::chrono::seconds limit, std::chrono::steady_clock::time_point since,
                           CWaitStop& stop, const std::function<void(int)>& waiting);
