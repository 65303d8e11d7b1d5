// printer-sim: serves a simulated printer on a pseudo-terminal until SIGINT or SIGTERM.
#include <signal.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "sim/printer_sim_options.h"
#include "sim/pty_transport.h"
#include "sim/sim_join_view.h"
#include "sim/sim_legacy.h"
#include "sim/sim_network.h"
#include "sim/sim_printer.h"

namespace {

// Rewrites the store file when the records or their check changed; by renaming a new file over
// it, so a reader never sees half of one.
void KeepStoreFile(const std::string& path, const CSimLegacy& legacy, std::string* shown) {
    const std::string text = legacy.StoreText();
    if (text == *shown)
        return;
    const std::string next = path + ".new";
    FILE* file = std::fopen(next.c_str(), "w");
    if (file == nullptr)
        return;
    const bool written = std::fputs(text.c_str(), file) >= 0;
    if (std::fclose(file) == 0 && written && std::rename(next.c_str(), path.c_str()) == 0)
        *shown = text;
}

// Opens a log named on the command line, if one is; false, after saying why, when it cannot.
bool OpenLog(const std::string& path, FILE** file) {
    if (path.empty())
        return true;
    *file = std::fopen(path.c_str(), "w");
    if (*file == nullptr)
        std::fprintf(stderr, "printer-sim: %s: %s\n", path.c_str(), std::strerror(errno));
    return *file != nullptr;
}

void LogHex(FILE* log, const uint8_t* data, size_t n) {
    for (size_t i = 0; i < n; ++i)
        std::fprintf(log, i == 0 ? "%02X" : " %02X", data[i]);
    std::fputc('\n', log);
    std::fflush(log);
}

// A line of the timed log: when, which way, what. Stamped as the bytes pass the terminal, so the
// gaps between lines are the printer's view of the utility's pauses.
void LogTimed(FILE* log, char direction, const uint8_t* data, size_t n) {
    if (log == nullptr)
        return;
    using std::chrono::microseconds;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const long long us = std::chrono::duration_cast<microseconds>(now).count();
    std::fprintf(log, "%lld %c ", us, direction);
    LogHex(log, data, n);
}

}  // namespace

int main(int argc, char** argv) {
    SimOptions options;
    if (const int status = ParseSimOptions(argc, argv, &options))
        return status < 0 ? 0 : status;

    // The printer is set up before anything is opened, so a bad option leaves nothing behind.
    CPtyTransport transport;
    CSimPrinter printer(options.model, [&transport](std::vector<uint8_t> bytes, unsigned delayMs) {
        transport.Send(std::move(bytes), delayMs);
    });
    printer.SetIdentifyMode(options.mode);
    printer.SetReplyDelay(options.delayMs);
    if (!ConfigureFamily(options, &printer))
        return 2;
    // Only the legacy family takes --store; ConfigureFamily refused it for the others.
    const CSimLegacy* legacy = printer.ProtocolAs<CSimLegacy>();
    std::string storeShown;
    if (!options.storePath.empty())
        KeepStoreFile(options.storePath, *legacy, &storeShown);

    FILE* log = nullptr;
    FILE* timedLog = nullptr;
    if (!OpenLog(options.logPath, &log) || !OpenLog(options.timedLogPath, &timedLog))
        return 1;

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

    // The printer is on its network from the start when what it holds fits, as after power-on.
    std::unique_ptr<CSimNetwork> network;
    if (options.network) {
        network = std::make_unique<CSimNetwork>(*options.network, [](const std::string& text) {
            std::fprintf(stderr, "printer-sim: %s\n", text.c_str());
        });
        network->Update(JoinViewOf(printer));
    }
    unsigned savesSeen = printer.SavesEnded();

    transport.Start(
        [&](const uint8_t* data, size_t n) {
            LogTimed(timedLog, '<', data, n);
            if (log != nullptr)
                LogHex(log, data, n);
            printer.Receive(data, n);
            if (!options.storePath.empty())
                KeepStoreFile(options.storePath, *legacy, &storeShown);
            if (network && printer.SavesEnded() != savesSeen)
                network->Update(JoinViewOf(printer));
            savesSeen = printer.SavesEnded();
        },
        [timedLog](const uint8_t* data, size_t n) { LogTimed(timedLog, '>', data, n); });

    std::printf("%s\n", transport.SlavePath().c_str());
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    transport.Stop();
    for (FILE* file : {log, timedLog}) {
        if (file != nullptr)
            std::fclose(file);
    }
    return 0;
}
