// What a simulated printer's store says it would join a wireless network with, whatever its
// family.
#pragma once

#include <optional>
#include <string>

#include "sim/sim_printer.h"

struct SimJoinView {
    bool infrastructure = false;
    std::string ssid;
    // Secured: the printer joins only a network with a key, and only with `key` (the bytes of the
    // key in use); open: only a network without one.
    bool secured = false;
    std::string key;
    // The key the printer sends is not the one its passphrase gives (a legacy printer's
    // pre-shared key), so no network takes it.
    bool keyMismatch = false;
    bool dhcp = false;
    std::string ip;    // the static address, dotted
    std::string port;  // the TCP port as the printer holds it
};

// The view of the printer's family store; none for a printer of no family.
std::optional<SimJoinView> JoinViewOf(CSimPrinter& printer);
