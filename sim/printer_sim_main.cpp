// printer-sim: serves a simulated printer on a pseudo-terminal until SIGINT or SIGTERM.
#include <signal.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "sim/pty_transport.h"
#include "sim/sim_current_gen.h"
#include "sim/sim_module.h"
#include "sim/sim_printer.h"

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
    "  --help           show this text\n"
    "\n"
    "Models 4, 5 and 7 (each option may be repeated):\n"
    "  --set NAME=VALUE preset a setting. Models 5 and 7: version, mac, mode, ssid, port,\n"
    "                   channel, security, cipher, wepindex, wepkey, wpakey, band, region,\n"
    "                   apip, apmask, apgateway, dhcp, ip, mask, gateway, dns. Model 4:\n"
    "                   version, mac (hex), configured, ap_ssid, ap_security, ap_passphrase,\n"
    "                   mdns_enabled, mdns_hostname, ap_address, ssid, security, passphrase,\n"
    "                   ipaddr_type, ipaddr, netmask, gateway, dns1, port, region\n"
    "  --refuse REQ     answer REQ with a bad status. Models 5 and 7: a letter (O: factory\n"
    "                   reset, R: every read), or R and a read item in hex (R06). Model 4:\n"
    "                   R or W and an item in hex (R11, W13)\n"
    "  --silent REQ     never answer REQ: a letter (every such request, queries included),\n"
    "                   or, also for model 4, R or W and an item in hex\n"
    "\n"
    "Models 5 and 7 only:\n"
    "  --d-status-ff    answer D with status FF (could not join)\n"
    "  --split          send every reply in two parts, 100 ms apart\n"
    "\n"
    "Model 4 only:\n"
    "  --bad-version N  answer the next N version requests with a bad status\n"
    "  --ack-as NN=MM   acknowledge the write of item NN as item MM (both hex)\n";

struct Options {
    uint8_t model = '5';
    IdentifyMode mode = IdentifyMode::kNormal;
    unsigned delayMs = CSimPrinter::kDefaultDelayMs;
    std::string logPath;
    // For the printer families.
    std::vector<std::string> sets, refuse, silent;
    // Current generation only.
    bool joinFails = false;
    bool split = false;
    // Wi-Fi module only.
    unsigned badVersions = 0;
    std::vector<std::string> ackAs;
};

bool ParseHexItem(const std::string& text, int* item) {
    if (text.size() != 2 || !std::isxdigit(static_cast<unsigned char>(text[0])) ||
        !std::isxdigit(static_cast<unsigned char>(text[1])))
        return false;
    *item = static_cast<int>(std::strtoul(text.c_str(), nullptr, 16));
    return true;
}

// A request named on the command line: a letter, or a letter of `itemLetters` and an item in two
// hex digits.
bool ParseRequest(const std::string& text, const char* itemLetters, uint8_t* letter, int* item) {
    *item = -1;
    if (text.empty() || text[0] < 'A' || text[0] > 'Z')
        return false;
    *letter = static_cast<uint8_t>(text[0]);
    if (text.size() == 1)
        return true;
    return std::strchr(itemLetters, text[0]) != nullptr && ParseHexItem(text.substr(1), item);
}

// Applies --set to either family; on a bad one says which and returns false.
template <class Family>
bool ApplySets(const Options& options, Family* family) {
    for (const std::string& set : options.sets) {
        const size_t eq = set.find('=');
        if (eq == std::string::npos || !family->SetItem(set.substr(0, eq), set.substr(eq + 1))) {
            std::fprintf(stderr, "printer-sim: bad value for --set: %s\n", set.c_str());
            return false;
        }
    }
    return true;
}

// Walks --refuse and --silent: `apply` takes each request and says whether the family has it.
template <class Apply>
bool ApplyRequests(const Options& options, const char* itemLetters, Apply apply) {
    for (int silent = 0; silent < 2; ++silent) {
        for (const std::string& text : silent ? options.silent : options.refuse) {
            uint8_t letter = 0;
            int item = -1;
            if (!ParseRequest(text, itemLetters, &letter, &item) || !apply(silent, letter, item)) {
                std::fprintf(stderr, "printer-sim: bad value for --%s: %s\n",
                             silent ? "silent" : "refuse", text.c_str());
                return false;
            }
        }
    }
    return true;
}

bool OnlyFor(bool used, const char* options, const char* models) {
    if (used)
        std::fprintf(stderr, "printer-sim: %s need model %s\n", options, models);
    return !used;
}

// Applies the current-generation options; on a bad one says which and returns false.
bool ConfigureCurrentGen(const Options& options, CSimCurrentGen* gen) {
    if (!OnlyFor(options.badVersions != 0 || !options.ackAs.empty(), "--bad-version and --ack-as",
                 "4") ||
        !ApplySets(options, gen))
        return false;
    const bool requestsOk =
        ApplyRequests(options, "R", [gen](bool silent, uint8_t letter, int item) {
            if (item >= 0)
                silent ? gen->SilenceRead(static_cast<uint8_t>(item))
                       : gen->RefuseRead(static_cast<uint8_t>(item));
            else
                silent ? gen->Silence(letter) : gen->Refuse(letter);
            return true;
        });
    gen->SetJoinFails(options.joinFails);
    gen->SetSplitReplies(options.split);
    return requestsOk;
}

// Applies the Wi-Fi module options; on a bad one says which and returns false.
bool ConfigureModule(const Options& options, CSimModule* module) {
    if (!OnlyFor(options.joinFails || options.split, "--d-status-ff and --split", "5 or 7") ||
        !ApplySets(options, module))
        return false;
    const bool requestsOk =
        ApplyRequests(options, "RW", [module](bool silent, uint8_t letter, int item) {
            if (silent) {
                module->Silence(letter, item);
                return true;
            }
            if (item < 0)
                return false;
            letter == 'R' ? module->RefuseRead(static_cast<uint8_t>(item))
                          : module->RefuseWrite(static_cast<uint8_t>(item));
            return true;
        });
    if (!requestsOk)
        return false;
    module->SetBadVersionReplies(static_cast<int>(options.badVersions));
    for (const std::string& pair : options.ackAs) {
        int written = -1, acknowledged = -1;
        if (pair.size() != 5 || pair[2] != '=' || !ParseHexItem(pair.substr(0, 2), &written) ||
            !ParseHexItem(pair.substr(3), &acknowledged)) {
            std::fprintf(stderr, "printer-sim: bad value for --ack-as: %s\n", pair.c_str());
            return false;
        }
        module->AcknowledgeAs(static_cast<uint8_t>(written), static_cast<uint8_t>(acknowledged));
    }
    return true;
}

bool UsesFamilyOptions(const Options& options) {
    return !options.sets.empty() || !options.refuse.empty() || !options.silent.empty() ||
           options.joinFails || options.split || options.badVersions != 0 || !options.ackAs.empty();
}

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

// Returns 0 to go on, or the exit status.
int ParseOptions(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            std::fputs(kUsage, stdout);
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
        if (arg == "--model") {
            ok = std::strlen(value) == 1;
            options->model = static_cast<uint8_t>(value[0]);
        } else if (arg == "--identify") {
            ok = ParseIdentifyMode(value, &options->mode);
        } else if (arg == "--delay") {
            ok = ParseNumber(value, &options->delayMs);
        } else if (arg == "--log") {
            options->logPath = value;
        } else if (arg == "--set") {
            options->sets.push_back(value);
        } else if (arg == "--refuse") {
            options->refuse.push_back(value);
        } else if (arg == "--silent") {
            options->silent.push_back(value);
        } else if (arg == "--bad-version") {
            ok = ParseNumber(value, &options->badVersions);
        } else if (arg == "--ack-as") {
            options->ackAs.push_back(value);
        } else {
            std::fprintf(stderr, "printer-sim: unknown option %s\n%s", arg.c_str(), kUsage);
            return 2;
        }
        if (!ok) {
            std::fprintf(stderr, "printer-sim: bad value for %s: %s\n", arg.c_str(), value);
            return 2;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const int status = ParseOptions(argc, argv, &options))
        return status < 0 ? 0 : status;

    // The printer is set up before anything is opened, so a bad option leaves nothing behind.
    CPtyTransport transport;
    CSimPrinter printer(options.model, [&transport](std::vector<uint8_t> bytes, unsigned delayMs) {
        transport.Send(std::move(bytes), delayMs);
    });
    printer.SetIdentifyMode(options.mode);
    printer.SetReplyDelay(options.delayMs);
    if (CSimCurrentGen* gen = printer.ProtocolAs<CSimCurrentGen>()) {
        if (!ConfigureCurrentGen(options, gen))
            return 2;
    } else if (CSimModule* module = printer.ProtocolAs<CSimModule>()) {
        if (!ConfigureModule(options, module))
            return 2;
    } else if (!OnlyFor(UsesFamilyOptions(options), "family options", "4, 5 or 7")) {
        return 2;
    }

    FILE* log = nullptr;
    if (!options.logPath.empty()) {
        log = std::fopen(options.logPath.c_str(), "w");
        if (log == nullptr) {
            std::fprintf(stderr, "printer-sim: %s: %s\n", options.logPath.c_str(),
                         std::strerror(errno));
            return 1;
        }
    }

    // Signals are taken by sigwait below; blocked before the thread starts, so it inherits that.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    std::string error;
    if (!transport.Open(&error)) {
        std::fprintf(stderr, "printer-sim: %s\n", error.c_str());
        return 1;
    }

    transport.Start([&printer, log](const uint8_t* data, size_t n) {
        if (log != nullptr) {
            for (size_t i = 0; i < n; ++i)
                std::fprintf(log, i == 0 ? "%02X" : " %02X", data[i]);
            std::fputc('\n', log);
            std::fflush(log);
        }
        printer.Receive(data, n);
    });

    std::printf("%s\n", transport.SlavePath().c_str());
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    transport.Stop();
    if (log != nullptr)
        std::fclose(log);
    return 0;
}
