// printer-sim: serves a simulated printer on a pseudo-terminal until SIGINT or SIGTERM.
#include <signal.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "sim/pty_transport.h"
#include "sim/sim_current_gen.h"
#include "sim/sim_legacy.h"
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
    "Faults, models 3, 5 and 7 (each option may be repeated):\n"
    "  --refuse REQ     refuse REQ: status 'E' (models 5, 7; O: factory reset, R: every\n"
    "                   read) or the error reply (model 3). REQ is a letter, or R (or W,\n"
    "                   model 3) and an item or record in hex (R06)\n"
    "  --silent REQ     never answer REQ (queries included)\n"
    "  --split          send every reply (models 5, 7) or the identity reply (model 3) in\n"
    "                   two parts, 100 ms apart\n"
    "\n"
    "Models 5 and 7 only:\n"
    "  --set NAME=VALUE preset a setting: version, mac, mode, ssid, port, channel,\n"
    "                   security, cipher, wepindex, wepkey, wpakey, band, region, apip,\n"
    "                   apmask, apgateway, dhcp, ip, mask, gateway, dns\n"
    "  --d-status-ff    answer D with status FF (could not join)\n"
    "\n"
    "Model 3 only:\n"
    "  --version M.Nr   identity version, e.g. 1.2a (default)\n"
    "  --mac MAC        identity MAC address, e.g. 00:1A:2B:3C:4D:5E (default)\n"
    "  --record NN=HEX  preset record NN with exactly its size in hex bytes\n"
    "  --wrong-letter REQ=L  answer REQ with the letter L in place of its own\n"
    "  --store FILE     keep FILE holding the records, one \"NN hex\" line each, and the\n"
    "                   check of record 25 against records 24 and 21\n";

struct Options {
    uint8_t model = '5';
    IdentifyMode mode = IdentifyMode::kNormal;
    unsigned delayMs = CSimPrinter::kDefaultDelayMs;
    std::string logPath;
    // Faults of either family.
    std::vector<std::string> refuse, silent;
    bool split = false;
    // For the current-generation family.
    std::vector<std::string> sets;
    bool joinFails = false;
    // For the legacy family.
    std::string version, mac, storePath;
    std::vector<std::string> records, wrongLetters;
};

bool IsHex(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isxdigit(static_cast<unsigned char>(c)) != 0;
    });
}

// A request named on the command line: a letter, or 'R' or 'W' and an item in two hex digits.
bool ParseRequest(const std::string& text, uint8_t* letter, int* item) {
    *item = -1;
    if (text.size() == 1 && text[0] >= 'A' && text[0] <= 'Z') {
        *letter = static_cast<uint8_t>(text[0]);
        return true;
    }
    if (text.size() != 3 || (text[0] != 'R' && text[0] != 'W') || !IsHex(text.substr(1)))
        return false;
    *letter = static_cast<uint8_t>(text[0]);
    *item = static_cast<int>(std::strtoul(text.substr(1).c_str(), nullptr, 16));
    return true;
}

bool BadValue(const char* option, const std::string& value) {
    std::fprintf(stderr, "printer-sim: bad value for --%s: %s\n", option, value.c_str());
    return false;
}

// Applies the current-generation options; on a bad one says which and returns false.
bool ConfigureCurrentGen(const Options& options, CSimCurrentGen* gen) {
    for (const std::string& set : options.sets) {
        const size_t eq = set.find('=');
        if (eq == std::string::npos || !gen->SetItem(set.substr(0, eq), set.substr(eq + 1)))
            return BadValue("set", set);
    }
    for (int silent = 0; silent < 2; ++silent) {
        for (const std::string& text : silent ? options.silent : options.refuse) {
            uint8_t letter = 0;
            int item = -1;
            if (!ParseRequest(text, &letter, &item) || (item >= 0 && letter != 'R'))
                return BadValue(silent ? "silent" : "refuse", text);
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

// "1.2a": major, minor and the revision letter.
bool ParseVersion(const std::string& text, CSimLegacy* legacy) {
    unsigned major = 0, minor = 0;
    char revision = 0, extra = 0;
    if (std::sscanf(text.c_str(), "%u.%u%c%c", &major, &minor, &revision, &extra) != 3 ||
        major > 255 || minor > 255 || revision < 'a')
        return false;
    legacy->SetVersion(static_cast<uint8_t>(major), static_cast<uint8_t>(minor),
                       static_cast<uint8_t>(revision - 'a'));
    return true;
}

bool ParseMac(const std::string& text, CSimLegacy* legacy) {
    std::array<uint8_t, 6> mac;
    if (text.size() != 3 * mac.size() - 1)
        return false;
    for (size_t i = 0; i < mac.size(); ++i) {
        const std::string part = text.substr(3 * i, 2);
        if (!IsHex(part) || (i + 1 < mac.size() && text[3 * i + 2] != ':'))
            return false;
        mac[i] = static_cast<uint8_t>(std::strtoul(part.c_str(), nullptr, 16));
    }
    legacy->SetMac(mac);
    return true;
}

// "NN=HEX": the record number and its bytes.
bool ParseRecord(const std::string& text, CSimLegacy* legacy) {
    const size_t eq = text.find('=');
    const std::string number = text.substr(0, eq), hex = text.substr(eq + 1);
    if (eq != 2 || !IsHex(number) || !IsHex(hex) || hex.size() % 2 != 0)
        return false;
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < hex.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16)));
    return legacy->SetRecord(static_cast<uint8_t>(std::strtoul(number.c_str(), nullptr, 16)),
                             bytes);
}

// Applies the legacy options; on a bad one says which and returns false.
bool ConfigureLegacy(const Options& options, CSimLegacy* legacy) {
    if (!options.version.empty() && !ParseVersion(options.version, legacy))
        return BadValue("version", options.version);
    if (!options.mac.empty() && !ParseMac(options.mac, legacy))
        return BadValue("mac", options.mac);
    for (const std::string& record : options.records) {
        if (!ParseRecord(record, legacy))
            return BadValue("record", record);
    }
    uint8_t letter = 0;
    int record = -1;
    for (int silent = 0; silent < 2; ++silent) {
        for (const std::string& text : silent ? options.silent : options.refuse) {
            if (!ParseRequest(text, &letter, &record))
                return BadValue(silent ? "silent" : "refuse", text);
            silent ? legacy->Silence({letter, record}) : legacy->Refuse({letter, record});
        }
    }
    for (const std::string& text : options.wrongLetters) {
        const size_t eq = text.find('=');
        if (eq == std::string::npos || eq + 2 != text.size() ||
            !ParseRequest(text.substr(0, eq), &letter, &record))
            return BadValue("wrong-letter", text);
        legacy->AnswerWithLetter({letter, record}, static_cast<uint8_t>(text[eq + 1]));
    }
    legacy->SetSplitIdentity(options.split);
    return true;
}

bool UsesFaultOptions(const Options& options) {
    return !options.refuse.empty() || !options.silent.empty() || options.split;
}

bool UsesCurrentGenOptions(const Options& options) {
    return !options.sets.empty() || options.joinFails;
}

bool UsesLegacyOptions(const Options& options) {
    return !options.version.empty() || !options.mac.empty() || !options.storePath.empty() ||
           !options.records.empty() || !options.wrongLetters.empty();
}

// Applies the family options to the protocol the model picked; false after saying what is wrong.
bool ConfigureFamily(const Options& options, CSimPrinter* printer) {
    CSimCurrentGen* gen = printer->ProtocolAs<CSimCurrentGen>();
    CSimLegacy* legacy = printer->ProtocolAs<CSimLegacy>();
    if ((UsesCurrentGenOptions(options) && gen == nullptr) ||
        (UsesLegacyOptions(options) && legacy == nullptr) ||
        (UsesFaultOptions(options) && gen == nullptr && legacy == nullptr)) {
        std::fprintf(stderr,
                     "printer-sim: an option does not fit model %c; see --help for which "
                     "models take it\n",
                     printer->Model());
        return false;
    }
    if (gen != nullptr)
        return ConfigureCurrentGen(options, gen);
    if (legacy != nullptr)
        return ConfigureLegacy(options, legacy);
    return true;
}

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
        } else if (arg == "--version") {
            options->version = value;
        } else if (arg == "--mac") {
            options->mac = value;
        } else if (arg == "--record") {
            options->records.push_back(value);
        } else if (arg == "--wrong-letter") {
            options->wrongLetters.push_back(value);
        } else if (arg == "--store") {
            options->storePath = value;
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
    if (!ConfigureFamily(options, &printer))
        return 2;
    const CSimLegacy* legacy = printer.ProtocolAs<CSimLegacy>();
    std::string storeShown;
    if (!options.storePath.empty())
        KeepStoreFile(options.storePath, *legacy, &storeShown);

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

    transport.Start([&](const uint8_t* data, size_t n) {
        if (log != nullptr) {
            for (size_t i = 0; i < n; ++i)
                std::fprintf(log, i == 0 ? "%02X" : " %02X", data[i]);
            std::fputc('\n', log);
            std::fflush(log);
        }
        printer.Receive(data, n);
        if (!options.storePath.empty())
            KeepStoreFile(options.storePath, *legacy, &storeShown);
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
