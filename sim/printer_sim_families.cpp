// printer-sim: applies the command line's presets and faults to the family the model picked.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "sim/printer_sim_options.h"
#include "sim/sim_current_gen.h"
#include "sim/sim_legacy.h"
#include "sim/sim_module.h"

namespace {

bool IsHex(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isxdigit(static_cast<unsigned char>(c)) != 0;
    });
}

bool ParseHexItem(const std::string& text, int* item) {
    if (text.size() != 2 || !IsHex(text))
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

bool BadValue(const char* option, const std::string& value) {
    std::fprintf(stderr, "printer-sim: bad value for --%s: %s\n", option, value.c_str());
    return false;
}

bool OnlyFor(bool used, const char* options, const char* models) {
    if (used)
        std::fprintf(stderr, "printer-sim: %s need model %s\n", options, models);
    return !used;
}

bool UsesCurrentGenOptions(const SimOptions& o) {
    return o.joinFails || o.queryEnd || o.readEnd;
}
bool UsesModuleOptions(const SimOptions& o) {
    return o.badVersions != 0 || !o.ackAs.empty() || o.readTrailer;
}
bool UsesLegacyOptions(const SimOptions& o) {
    return !o.version.empty() || !o.mac.empty() || !o.storePath.empty() || !o.records.empty() ||
           !o.wrongLetters.empty();
}
constexpr char kCurrentGenOptions[] = "--d-status-ff, --query-end and --read-end";
constexpr char kModuleOptions[] = "--bad-version, --ack-as and --read-trailer";
constexpr char kLegacyOptions[] = "--id-version, --mac, --record, --wrong-letter and --store";

// Applies --set to a family that takes it.
template <class Family>
bool ApplySets(const SimOptions& options, Family* family) {
    for (const std::string& set : options.sets) {
        const size_t eq = set.find('=');
        if (eq == std::string::npos || !family->SetItem(set.substr(0, eq), set.substr(eq + 1)))
            return BadValue("set", set);
    }
    return true;
}

// Walks --refuse and --silent: `apply` takes each request and says whether the family has it.
template <class Apply>
bool ApplyRequests(const SimOptions& options, const char* itemLetters, Apply apply) {
    for (int silent = 0; silent < 2; ++silent) {
        for (const std::string& text : silent ? options.silent : options.refuse) {
            uint8_t letter = 0;
            int item = -1;
            if (!ParseRequest(text, itemLetters, &letter, &item) || !apply(silent, letter, item))
                return BadValue(silent ? "silent" : "refuse", text);
        }
    }
    return true;
}

bool ConfigureCurrentGen(const SimOptions& options, CSimCurrentGen* gen) {
    if (!OnlyFor(UsesModuleOptions(options), kModuleOptions, "4") ||
        !OnlyFor(UsesLegacyOptions(options), kLegacyOptions, "3") || !ApplySets(options, gen))
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
    if (options.queryEnd)
        gen->SetQueryEnd(*options.queryEnd);
    if (options.readEnd)
        gen->SetReadEnd(*options.readEnd);
    return requestsOk;
}

bool ConfigureModule(const SimOptions& options, CSimModule* module) {
    if (!OnlyFor(UsesCurrentGenOptions(options), kCurrentGenOptions, "5 or 7") ||
        !OnlyFor(UsesLegacyOptions(options), kLegacyOptions, "3") || !ApplySets(options, module))
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
    if (options.readTrailer)
        module->SetReadTrailer(*options.readTrailer);
    for (const std::string& pair : options.ackAs) {
        int written = -1, acknowledged = -1;
        if (pair.size() != 5 || pair[2] != '=' || !ParseHexItem(pair.substr(0, 2), &written) ||
            !ParseHexItem(pair.substr(3), &acknowledged))
            return BadValue("ack-as", pair);
        module->AcknowledgeAs(static_cast<uint8_t>(written), static_cast<uint8_t>(acknowledged));
    }
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
    std::vector<uint8_t> bytes;
    if (eq != 2 || !IsHex(number) || !IsHex(hex) || !ParseHexBytes(hex, &bytes))
        return false;
    return legacy->SetRecord(static_cast<uint8_t>(std::strtoul(number.c_str(), nullptr, 16)),
                             bytes);
}

bool ConfigureLegacy(const SimOptions& options, CSimLegacy* legacy) {
    if (!OnlyFor(!options.sets.empty(), "--set", "4, 5 or 7") ||
        !OnlyFor(UsesCurrentGenOptions(options), kCurrentGenOptions, "5 or 7") ||
        !OnlyFor(UsesModuleOptions(options), kModuleOptions, "4"))
        return false;
    if (!options.version.empty() && !ParseVersion(options.version, legacy))
        return BadValue("id-version", options.version);
    if (!options.mac.empty() && !ParseMac(options.mac, legacy))
        return BadValue("mac", options.mac);
    for (const std::string& record : options.records) {
        if (!ParseRecord(record, legacy))
            return BadValue("record", record);
    }
    const bool requestsOk =
        ApplyRequests(options, "RW", [legacy](bool silent, uint8_t letter, int record) {
            silent ? legacy->Silence({letter, record}) : legacy->Refuse({letter, record});
            return true;
        });
    if (!requestsOk)
        return false;
    for (const std::string& text : options.wrongLetters) {
        const size_t eq = text.find('=');
        uint8_t letter = 0;
        int record = -1;
        if (eq == std::string::npos || eq + 2 != text.size() ||
            !ParseRequest(text.substr(0, eq), "RW", &letter, &record))
            return BadValue("wrong-letter", text);
        legacy->AnswerWithLetter({letter, record}, static_cast<uint8_t>(text[eq + 1]));
    }
    return true;
}

}  // namespace

bool ConfigureFamily(const SimOptions& options, CSimPrinter* printer) {
    // Every model splits its replies, the identification's included.
    printer->SetSplitReplies(options.split);
    if (CSimCurrentGen* gen = printer->ProtocolAs<CSimCurrentGen>())
        return ConfigureCurrentGen(options, gen);
    if (CSimModule* module = printer->ProtocolAs<CSimModule>())
        return ConfigureModule(options, module);
    if (CSimLegacy* legacy = printer->ProtocolAs<CSimLegacy>())
        return ConfigureLegacy(options, legacy);
    const bool familyOptions = !options.sets.empty() || !options.refuse.empty() ||
                               !options.silent.empty() || UsesCurrentGenOptions(options) ||
                               UsesModuleOptions(options) || UsesLegacyOptions(options);
    return OnlyFor(familyOptions, "family options", "3, 4, 5 or 7");
}
