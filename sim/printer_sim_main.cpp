// printer-sim: serves a simulated printer on a pseudo-terminal until SIGINT or SIGTERM.
#include <signal.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "sim/pty_transport.h"
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
    "  --help           show this text\n";

struct Options {
    uint8_t model = '5';
    IdentifyMode mode = IdentifyMode::kNormal;
    unsigned delayMs = CSimPrinter::kDefaultDelayMs;
    std::string logPath;
};

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

    CPtyTransport transport;
    std::string error;
    if (!transport.Open(&error)) {
        std::fprintf(stderr, "printer-sim: %s\n", error.c_str());
        return 1;
    }
    CSimPrinter printer(options.model, [&transport](std::vector<uint8_t> bytes, unsigned delayMs) {
        transport.Send(std::move(bytes), delayMs);
    });
    printer.SetIdentifyMode(options.mode);
    printer.SetReplyDelay(options.delayMs);

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
