// zephra-cli's command line: the commands, their options, and how they are checked.
#pragma once

#include <string>
#include <vector>

#include "link/link.h"

// The serial parameters as the panel's lists take them: the index of each choice in its list.
struct LinkChoice {
    std::string port;  // the device's name; "USB" for the panel's USB link
    bool usb = false;  // the panel's USB link in place of a serial port
    int baud = 3;      // the panel's defaults: 57600, None, 8, 1
    int parity = 0;
    int dataBits = 0;
    int stopBits = 0;
};

// How apply provisions a fleet.
struct FleetOptions {
    std::string inventory;        // a CSV file of per-printer settings by MAC or port; "" for none
    bool allowUnlisted = false;   // a printer with no inventory row takes the profile as it is
    bool check = false;           // reads and tells what would change, writes nothing
    bool force = false;           // writes a printer whose settings already match
    bool strict = false;          // refuses a printer that would keep a setting the profile holds
    unsigned jobs = 0;            // ports served at once; 0 for all of them
    std::string log;              // a file the JSON lines are appended to; "" for none
    std::string keyEnv, keyFile;  // where the security key comes from, if given apart
    bool keyStdin = false;
    bool watch = false;   // serves one port, printer after printer, until Ctrl-C
    std::string backup;   // a folder where each printer's settings are kept before a write
    unsigned verify = 0;  // seconds to wait for each written printer on its network; 0: no wait
    std::string address;  // where the one printer is on its network when DHCP gives its address

    // One port of a fleet's run, whose inventory the fleet checked against all its ports.
    bool oneOfFleet = false;
};

struct CliCommand {
    enum class Kind { kNone, kIdentify, kRead, kApply, kRestore, kPorts } kind = Kind::kNone;
    LinkChoice link;                 // its port is the first of ports
    std::vector<std::string> ports;  // apply takes several, in turn
    std::string profile;             // apply: the profile to write
    std::string restoreDir;          // restore: the folder of backups
    std::string out;                 // read: the profile to write the settings to; "" to print
    std::string trace;               // the file the protocol trace is appended to; "" for none
    bool yes = false;                // answer the pages' Yes/No questions with Yes
    bool json = false;               // results as JSON: a line per printer, then the summary
    bool identify = false;           // ports: asks each serial port which printer answers
    FleetOptions fleet;              // apply and restore
};

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitPrinterFault = 1;
constexpr int kExitUsage = 2;
constexpr int kExitWouldChange = 3;  // apply --check: nothing failed and something would change
constexpr int kExitUnreachable = 4;  // --verify: a printer written but never seen on its network

// How a system names the serial ports its links open.
enum class PortNaming {
    kDevicePaths,  // any device path, e.g. /dev/ttyUSB0; printers on USB have one too
    kComPorts,     // the panel's list, COM1 to COM20 in any case, and the panel's USB link
};
// This system's naming (with its other differences, in cli_platform_*.cpp).
PortNaming SystemPortNaming();

// The options that give a link's settings as ParseCli takes them (--baud 57600 ...).
std::vector<std::string> LinkArguments(const LinkChoice& link);
// The serial parameters the panel opens a port with at the link's choices; no port named.
SerialSettings LinkSettings(const LinkChoice& link);

// Parses argv (program name first) for a system whose ports are named as naming says. Returns -1
// to go on with *command; otherwise the exit status, with the help text (status 0) or a one-line
// error (status 2) in *message.
int ParseCli(int argc, const char* const* argv, CliCommand* command, std::string* message,
             PortNaming naming = SystemPortNaming());
