// printer-sim's command line: the usage text and the parsing of the options.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

#include "sim/printer_sim_options.h"
#include "zephra_version.h"

namespace {

const char kUsage[] =
    "Usage: printer-sim [options]\n"
    "Serves a simulated printer on a new pseudo-terminal and prints the terminal's path as\n"
    "the first line of standard output. Runs until SIGINT or SIGTERM.\n"
    "\n"
    "  --model C        model character of the identification reply (default 5)\n"
    "  --identify MODE  answer to the identification request: normal, silent, one, two,\n"
    "                   short3, short4, short5, unknown, split (default normal);\n"
    "                   --model 4 --identify silent is a Wi-Fi module silent at identification\n"
    "  --delay MS       milliseconds before a reply (default 20)\n"
    "  --log FILE       write each chunk received as a line of hex bytes\n"
    "  --timed-log FILE write each chunk received (<) and each write to the terminal (>) as\n"
    "                   a line: microseconds on the monotonic clock, < or >, hex bytes\n"
    "  --split          send every reply, the identification's included, in two writes\n"
    "                   20 ms apart, cut inside its payload\n"
    "  --help           show this text\n"
    "  --version        show the version of this program\n"
    "\n"
    "Network (models 3, 4, 5 and 7):\n"
    "  --network SSID[:KEY]  the wireless network the printer can join: open, or with KEY.\n"
    "                   After a save (and at start) that leaves the printer in\n"
    "                   Infrastructure mode with SSID, a security that fits and KEY, it joins:\n"
    "                   it listens on TCP at its address and its port. Without it, no network\n"
    "  --join-delay S   seconds from the save to the join, e.g. 1.5 (default 0)\n"
    "  --dhcp-address A the address DHCP gives the printer (default: none)\n"
    "                   Addresses must be in 127.0.0.0/8: the printer listens nowhere else\n"
    "\n"
    "Faults, models 3, 4, 5 and 7 (each option may be repeated):\n"
    "  --refuse REQ     answer REQ with a refusal: status 'E' (models 5, 7; O: factory reset,\n"
    "                   R: every read), the error reply (model 3) or a bad status (model 4).\n"
    "                   REQ is a letter, or R (or W, models 3 and 4) and an item or record in\n"
    "                   hex (R06)\n"
    "  --silent REQ     never answer REQ (queries included)\n"
    "\n"
    "Models 4, 5 and 7:\n"
    "  --set NAME=VALUE preset a setting. Models 5 and 7: version, mac, mode, ssid, port,\n"
    "                   channel, security, cipher, wepindex, wepkey, wpakey, band, region,\n"
    "                   apip, apmask, apgateway, dhcp, ip, mask, gateway, dns. Model 4:\n"
    "                   version, mac (hex), configured, ap_ssid, ap_security, ap_passphrase,\n"
    "                   mdns_enabled, mdns_hostname, ap_address, ssid, security, passphrase,\n"
    "                   ipaddr_type, ipaddr, netmask, gateway, dns1, port, region\n"
    "\n"
    "Models 5 and 7 only:\n"
    "  --d-status-ff    answer D with status FF (could not join)\n"
    "  --query-end HEX  end query replies (Q?, C?, H?, B?) with these bytes (default 00)\n"
    "  --read-end HEX   end read replies with these bytes, none or \"\" for none (default 00)\n"
    "\n"
    "Model 4 only:\n"
    "  --bad-version N  answer the next N version requests with a bad status\n"
    "  --ack-as NN=MM   acknowledge the write of item NN as item MM (both hex)\n"
    "  --read-trailer HEX  end read replies with these bytes, none or \"\" for none\n"
    "                   (default 0000)\n"
    "\n"
    "Model 3 only:\n"
    "  --id-version M.Nr  identity version, e.g. 1.2a (default)\n"
    "  --mac MAC        identity MAC address, e.g. 00:1A:2B:3C:4D:5E (default)\n"
    "  --record NN=HEX  preset record NN with exactly its size in hex bytes\n"
    "  --wrong-letter REQ=L  answer REQ with the letter L in place of its own\n"
    "  --store FILE     keep FILE holding the records, one \"NN hex\" line each, and the\n"
    "                   check of record 25 against records 24 and 21\n";

// A decimal number of 0 to 60000: a delay in milliseconds or a count.
bool ParseNumber(const char* text, unsigned* number) {
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || text[0] == '-' || value > 60000)
        return false;
    *number = static_cast<unsigned>(value);
    return true;
}

// Seconds of 0 to 3600, in milliseconds.
bool ParseSeconds(const char* text, std::optional<unsigned>* ms) {
    char* end = nullptr;
    errno = 0;
    const double seconds = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0' || !(seconds >= 0 && seconds <= 3600))
        return false;
    *ms = static_cast<unsigned>(std::lround(seconds * 1000));
    return true;
}

// "SSID" or "SSID:KEY": an SSID of 1 to 32 characters and a key of at least one.
bool ParseNetwork(const std::string& text, std::optional<SimNetworkConfig>* network) {
    const size_t colon = text.find(':');
    SimNetworkConfig config;
    config.ssid = text.substr(0, colon);
    if (colon != std::string::npos)
        config.key = text.substr(colon + 1);
    if (config.ssid.empty() || config.ssid.size() > 32 || (config.key && config.key->empty()))
        return false;
    *network = std::move(config);
    return true;
}

// Folds --join-delay and --dhcp-address into --network; false after saying what is wrong.
bool FinishNetwork(SimOptions* options) {
    if (!options->network) {
        if (options->joinDelayMs || !options->dhcpAddress.empty())
            std::fprintf(stderr, "printer-sim: --join-delay and --dhcp-address need --network\n");
        return !options->joinDelayMs && options->dhcpAddress.empty();
    }
    const std::string rule =
        options->dhcpAddress.empty() ? std::string() : LoopbackRuleBroken(options->dhcpAddress);
    if (!rule.empty()) {
        std::fprintf(stderr, "printer-sim: --dhcp-address: %s\n", rule.c_str());
        return false;
    }
    options->network->joinDelayMs = options->joinDelayMs.value_or(0);
    options->network->dhcpAddress = options->dhcpAddress;
    return true;
}

// A reply end: bytes in hex; a query reply has at least one.
bool ParseEnd(const char* text, bool someBytes, std::optional<std::vector<uint8_t>>* end) {
    std::vector<uint8_t> bytes;
    if (!ParseHexBytes(text, &bytes) || (someBytes && bytes.empty()))
        return false;
    *end = std::move(bytes);
    return true;
}

// The options that take a value, and where each puts it.
bool TakeValue(const std::string& arg, const char* value, SimOptions* options, bool* ok) {
    if (arg == "--model") {
        *ok = std::strlen(value) == 1;
        options->model = static_cast<uint8_t>(value[0]);
    } else if (arg == "--identify") {
        *ok = ParseIdentifyMode(value, &options->mode);
    } else if (arg == "--delay") {
        *ok = ParseNumber(value, &options->delayMs);
    } else if (arg == "--bad-version") {
        *ok = ParseNumber(value, &options->badVersions);
    } else if (arg == "--query-end") {
        *ok = ParseEnd(value, true, &options->queryEnd);
    } else if (arg == "--read-end") {
        *ok = ParseEnd(value, false, &options->readEnd);
    } else if (arg == "--read-trailer") {
        *ok = ParseEnd(value, false, &options->readTrailer);
    } else if (arg == "--network") {
        *ok = ParseNetwork(value, &options->network);
    } else if (arg == "--join-delay") {
        *ok = ParseSeconds(value, &options->joinDelayMs);
    } else {
        std::string* text = arg == "--log"            ? &options->logPath
                            : arg == "--timed-log"    ? &options->timedLogPath
                            : arg == "--id-version"   ? &options->version
                            : arg == "--mac"          ? &options->mac
                            : arg == "--store"        ? &options->storePath
                            : arg == "--dhcp-address" ? &options->dhcpAddress
                                                      : nullptr;
        std::vector<std::string>* list = arg == "--set"            ? &options->sets
                                         : arg == "--refuse"       ? &options->refuse
                                         : arg == "--silent"       ? &options->silent
                                         : arg == "--ack-as"       ? &options->ackAs
                                         : arg == "--record"       ? &options->records
                                         : arg == "--wrong-letter" ? &options->wrongLetters
                                                                   : nullptr;
        if (text != nullptr) {
            *text = value;
        } else if (list != nullptr) {
            list->push_back(value);
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

bool ParseHexBytes(const std::string& text, std::vector<uint8_t>* bytes) {
    bytes->clear();
    if (text == "none")
        return true;
    if (text.size() % 2 != 0 ||
        text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return false;
    for (size_t i = 0; i < text.size(); i += 2)
        bytes->push_back(static_cast<uint8_t>(std::stoul(text.substr(i, 2), nullptr, 16)));
    return true;
}

int ParseSimOptions(int argc, char** argv, SimOptions* options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "--version") {
            std::fputs(arg == "--help" ? kUsage : ZEPHRA_VERSION "\n", stdout);
            return -1;
        }
        if (arg == "--d-status-ff" || arg == "--split") {
            (arg == "--split" ? options->split : options->joinFails) = true;
            continue;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "printer-sim: %s needs a value\n%s", arg.c_str(), kUsage);
            return 2;
        }
        const char* value = argv[++i];
        bool ok = true;
        if (!TakeValue(arg, value, options, &ok)) {
            std::fprintf(stderr, "printer-sim: unknown option %s\n%s", arg.c_str(), kUsage);
            return 2;
        }
        if (!ok) {
            std::fprintf(stderr, "printer-sim: bad value for %s: %s\n", arg.c_str(), value);
            return 2;
        }
    }
    return FinishNetwork(options) ? 0 : 2;
}
