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
#include "sim/sim_printer.h"

namespace {

const char kUsage[] =
    "Usage: printer-sim [options]\n"
    "Serves a simulated printer on a new pseudo-terminal and prints the terminal's path as\n"
    "the first line of standard output. Runs until SIGINT or SIGTERM.\n"
    "\n"
    "  --model C        model character of the identification reply (default 5)\n"
    "  --identify MODE  answer to the identification request: normal, silent, one, two,\n"
    "                   short3, short4, short5, unknown, split (default normal)\n"
    "  --delay MS       milliseconds before a reply (default 20)\n"
    "  --log FILE       write each chunk received as a line of hex bytes\n"
    "  --help           show this text\n"
    "\n"
    "Models 5 and 7 only (each option may be repeated):\n"
    "  --set NAME=VALUE preset a setting: version, mac, mode, ssid, port, channel,\n"
    "                   security, cipher, wepindex, wepkey, wpakey, band, region, apip,\n"
    "                   apmask, apgateway, dhcp, ip, mask, gateway, dns\n"
    "  --refuse REQ     answer REQ with status 'E': a letter (O: factory reset, R: every\n"
    "                   read), or R and a read item in hex (R06)\n"
    "  --silent REQ     never answer REQ (queries included)\n"
    "  --d-status-ff    answer D with status FF (could not join)\n"
    "  --split          send every reply in two parts, 100 ms apart\n";

struct Options {
    uint8_t model = '5';
    IdentifyMode mode = IdentifyMode::kNormal;
    unsigned delayMs = CSimPrinter::kDefaultDelayMs;
    std::string logPath;
    // For the current-generation family.
    std::vector<std::string> sets, refuse, silent;
    bool joinFails = false;
    bool split = false;
};

// A request named on the command line: a letter, or 'R' and a read item in two hex digits.
bool ParseRequest(const std::string& text, uint8_t* letter, int* item) {
    *item = -1;
    if (text.size() == 1 && text[0] >= 'A' && text[0] <= 'Z') {
        *letter = static_cast<uint8_t>(text[0]);
        return true;
    }
    if (text.size() != 3 || text[0] != 'R' || !std::isxdigit(static_cast<unsigned char>(text[1])) ||
        !std::isxdigit(static_cast<unsigned char>(text[2])))
        return false;
    *letter = 'R';
    *item = static_cast<int>(std::strtoul(text.substr(1).c_str(), nullptr, 16));
    return true;
}

// Applies the current-generation options; on a bad one says which and returns false.
bool ConfigureCurrentGen(const Options& options, CSimCurrentGen* gen) {
    for (const std::string& set : options.sets) {
        const size_t eq = set.find('=');
        if (eq == std::string::npos || !gen->SetItem(set.substr(0, eq), set.substr(eq + 1))) {
            std::fprintf(stderr, "printer-sim: bad value for --set: %s\n", set.c_str());
            return false;
        }
    }
    for (int silent = 0; silent < 2; ++silent) {
        for (const std::string& text : silent ? options.silent : options.refuse) {
            uint8_t letter = 0;
            int item = -1;
            if (!ParseRequest(text, &letter, &item)) {
                std::fprintf(stderr, "printer-sim: bad value for --%s: %s\n",
                             silent ? "silent" : "refuse", text.c_str());
                return false;
            }
            if (item >= 0)
                silent ? gen->SilenceRead(static_cast<uint8_t>(item))
                       : gen->RefuseRead(static_cast<uint8_t>(item));
            else
                silent ? gen->Silence(letter) : gen->Refuse(letter);
        }
    }
    gen->SetJoinFails(options.joinFails);
    gen->SetSplitReplies(options.split);
    return true;
}

bool UsesCurrentGenOptions(const Options& options) {
    return !options.sets.empty() || !options.refuse.empty() || !options.silent.empty() ||
           options.joinFails || options.split;
}

bool ParseDelay(const char* text, unsigned* ms) {
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || text[0] == '-' || value > 60000)
        return false;
    *ms = static_cast<unsigned>(value);
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
            ok = ParseDelay(value, &options->delayMs);
        } else if (arg == "--log") {
            options->logPath = value;
        } else if (arg == "--set") {
            options->sets.push_back(value);
        } else if (arg == "--refuse") {
            options->refuse.push_back(value);
        } else if (arg == "--silent") {
            options->silent.push_back(value);
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
    if (UsesCurrentGenOptions(options)) {
        CSimCurrentGen* gen = printer.ProtocolAs<CSimCurrentGen>();
        if (gen == nullptr) {
            std::fprintf(stderr,
                         "printer-sim: --set, --refuse, --silent, --d-status-ff and "
                         "--split need model 5 or 7\n");
            return 2;
        }
        if (!ConfigureCurrentGen(options, gen))
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
