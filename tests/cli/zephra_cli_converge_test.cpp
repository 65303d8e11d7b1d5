// apply converges and tells the truth, for random profiles applied to printers in random starting
// states: seeded, so that a failure replays (ZEPHRA_CONVERGE_SEED picks another run).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>

#include "tests/cli/cli_run.h"
#include "tests/support/profile_steps.h"
#include "tests/support/sim_process.h"

namespace {

using nlohmann::json;
using simproc::SimProcess;
using Rng = std::mt19937;

constexpr int kPairs = 50;
// Profiles are mixed from this many printers read in random states.
constexpr int kReadPrinters = 6;

std::string Pick(Rng& rng, std::initializer_list<const char*> values) {
    return *(values.begin() + std::uniform_int_distribution<size_t>(0, values.size() - 1)(rng));
}
bool Chance(Rng& rng, double p) {
    return std::bernoulli_distribution(p)(rng);
}
std::string Word(Rng& rng, size_t length) {
    std::string word;
    while (word.size() < length)
        word += static_cast<char>(std::uniform_int_distribution<int>('a', 'z')(rng));
    return word;
}
std::string Address(Rng& rng) {
    return "10.0." + std::to_string(rng() % 250 + 1) + "." + std::to_string(rng() % 250 + 1);
}
std::string Hex(const std::string& bytes, size_t size) {
    std::string hex;
    static const char kDigits[] = "0123456789ABCDEF";
    for (size_t i = 0; i < size; ++i) {
        const uint8_t b = i < bytes.size() ? static_cast<uint8_t>(bytes[i]) : 0;
        hex += {kDigits[b >> 4], kDigits[b & 15]};
    }
    return hex;
}

struct Family {
    const char *model, *name;
    // printer-sim's options for a printer in a random state its page can read and save.
    std::vector<std::string> (*state)(Rng&);
    // Whether a read that shows these settings has read the one named from the printer: a read
    // asks for the settings of the printer's mode only, and never for the page's own choices.
    bool (*reported)(const json& settings, const std::string& name);
};

bool Among(const std::string& name, std::initializer_list<const char*> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}
constexpr auto kStation = {"dhcp", "ip_address", "netmask", "gateway", "dns"};
bool IsAp(const json& settings) {
    return settings.value("wlan_mode", "") == "Access Point mode";
}

bool CurrentReported(const json& settings, const std::string& name) {
    const std::string security = settings.value("security", "");
    return name != "manual_security" && !(IsAp(settings) && Among(name, kStation)) &&
           !(!IsAp(settings) && name.find("ap_") == 0) &&
           !(security != "WPA" && name.find("wpa_") == 0) &&
           !(security != "WEP" && (name.find("wep_") == 0 || name == "key_format"));
}
bool ModuleReported(const json& settings, const std::string& name) {
    return !Among(name, {"key_data_type", "ap_ip_address_written", "ap_ip_address"}) &&
           !(IsAp(settings) && Among(name, kStation)) &&
           !(!IsAp(settings) && name.find("mdns") == 0) &&
           !(name == "mdns_host_name" && !settings.value("mdns", false)) &&
           !(name == "wep_type" && settings.value("security", "") != "WEP (Open/Shared)");
}
bool LegacyReported(const json& settings, const std::string& name) {
    const std::string security = settings.value("security", "");
    return !(name == "wep_key_size" && security != "WEP") &&
           !(name == "wpa_encryption" && security != "WPA");
}

// printer-sim's option given once for each of values but the empty ones.
std::vector<std::string> Each(const char* option, std::initializer_list<std::string> values) {
    std::vector<std::string> args;
    for (const std::string& value : values) {
        if (!value.empty())
            args.insert(args.end(), {option, value});
    }
    return args;
}

std::vector<std::string> CurrentState(Rng& rng) {
    const bool ap = Chance(rng, 0.5);
    // An access point takes no WEP.
    const std::string security = ap ? Pick(rng, {"0", "2", "3"}) : Pick(rng, {"0", "1", "2", "3"});
    const std::string key = security == "1"   ? "wepkey=" + Word(rng, Chance(rng, 0.5) ? 5 : 13)
                            : security != "0" ? "wpakey=" + Word(rng, rng() % 20 + 8)
                                              : "";
    return Each(
        "--set",
        {"mode=" + std::string(ap ? "2" : "0"), "security=" + security,
         "cipher=" + Pick(rng, {"0", "1"}), "ssid=" + Word(rng, rng() % 12 + 1),
         "region=" + Pick(rng, {"KR", "US", "JP"}), "channel=" + std::to_string(rng() % 11 + 1),
         "band=" + Pick(rng, {"2", "7"}), "dhcp=" + Pick(rng, {"0", "1"}), "ip=" + Address(rng),
         "apip=" + Address(rng), "wepindex=" + Pick(rng, {"1", "2", "3", "4"}),
         "port=" + Pick(rng, {"9100", "9101"}), key});
}

std::vector<std::string> ModuleState(Rng& rng) {
    const std::string security = Pick(rng, {"0", "1", "3", "4", "5"});
    const size_t keySize = security == "1" ? (Chance(rng, 0.5) ? 5 : 13) : 8 + rng() % 20;
    return Each(
        "--set",
        {"configured=" + Pick(rng, {"0", "1"}), "ap_ssid=" + Word(rng, rng() % 12 + 1),
         "ap_security=" + Pick(rng, {"0", "4", "5"}), "ap_passphrase=" + Word(rng, 9),
         "mdns_enabled=" + Pick(rng, {"0", "1"}), "mdns_hostname=" + Word(rng, rng() % 10 + 1),
         "ssid=" + Word(rng, 6), "security=" + security, "passphrase=" + Word(rng, keySize),
         "ipaddr_type=" + Pick(rng, {"0", "1"}), "ipaddr=" + Address(rng),
         "region=" + Pick(rng, {"KR", "US", "JP"}), "port=" + Pick(rng, {"9100", "9101"})});
}

std::vector<std::string> LegacyState(Rng& rng) {
    const int security = static_cast<int>(rng() % 3);  // None, WEP, WPA
    const std::string wireless = {
        static_cast<char>(Chance(rng, 0.8) ? 1 : 0),           // Infrastructure or ad hoc
        static_cast<char>(rng() % 11 + 1),                     // channel
        static_cast<char>(security == 1 ? 1 + rng() % 2 : 0),  // WEP key size
        static_cast<char>(rng() % 4),                          // key index
        static_cast<char>(rng() % 2),                          // authentication
        static_cast<char>(security == 2 ? (Chance(rng, 0.5) ? 2 : 4) : 0),
        static_cast<char>(1 + rng() % 2)};  // cipher
    const std::string options = {static_cast<char>(rng() % 2), static_cast<char>(rng() % 2)};
    return Each("--record",
                {"10=" + Hex(options, 2), "20=" + Hex(wireless, 7), "21=" + Hex(Word(rng, 8), 32),
                 "24=" + Hex(Word(rng, 8 + rng() % 20), 32)});
}

const Family kFamilies[] = {
    {"5", "current", CurrentState, CurrentReported},
    {"4", "module", ModuleState, ModuleReported},
    {"3", "legacy", LegacyState, LegacyReported},
};

// A printer's settings as zephra-cli reads them, with its key.
json ReadSettings(const std::string& port) {
    const CliRun run = Cli("read --json --yes --port " + port);
    EXPECT_EQ(run.status, 0) << run.err;
    return json::parse(run.out, nullptr, false).value("settings", json::object());
}

class Converge : public ::testing::TestWithParam<Family> {};

TEST_P(Converge, ApplyTwiceChangesNothingTheSecondTimeAndSkipsOnlyWhatThePrinterKeeps) {
    const Family& family = GetParam();
    const char* seedText = std::getenv("ZEPHRA_CONVERGE_SEED");
    Rng rng(seedText != nullptr ? static_cast<unsigned>(std::atoi(seedText)) : 7u);
    const auto start = [&](Rng& r) {
        std::vector<std::string> args{"--model", family.model, "--delay", "1"};
        for (std::string& arg : family.state(r))
            args.push_back(std::move(arg));
        return args;
    };
    std::vector<json> read;
    for (int i = 0; i < kReadPrinters; ++i) {
        SimProcess sim(start(rng));
        read.push_back(ReadSettings(sim.Path()));
    }
    ProfileFile file("converge");
    for (int pair = 0; pair < kPairs; ++pair) {
        const unsigned seed = static_cast<unsigned>(rng());
        Rng r(seed);
        // A profile mixed from two printers' settings, each as a page shows them.
        json settings = read[r() % read.size()];
        const json& other = read[r() % read.size()];
        for (const auto& [name, value] : other.items()) {
            if (Chance(r, 0.3))
                settings[name] = value;
        }
        // Then some ticks and names of the operator's own.
        for (auto& [name, value] : settings.items()) {
            if (value.is_boolean() && Chance(r, 0.2))
                value = !value.get<bool>();
            else if (Among(name, {"ssid", "mdns_host_name", "peer_domain_name"}) && Chance(r, 0.3))
                value = Word(r, r() % 10 + 1);
        }
        const json profile = {{"format", "zephra-printer-settings"},
                              {"version", 1},
                              {"family", family.name},
                              {"settings", settings}};
        file.Write(profile.dump());
        const std::vector<std::string> args = start(r);
        SCOPED_TRACE("pair " + std::to_string(pair) + ", seed " + std::to_string(seed) +
                     ", profile " + profile.dump());
        SimProcess sim(args);
        const std::string port = sim.Path();
        // What a read shows of the printer before: a setting of a mode it is not in is unknown.
        const json before = ReadSettings(port);
        const std::string apply = "apply " + file.Path() + " --yes --json --port " + port;
        const CliRun first = Cli(apply);
        const json result = json::parse(first.out.substr(0, first.out.find('\n')), nullptr, false);
        ASSERT_TRUE(result.is_object()) << first.out << first.err;
        const std::string outcome = result.value("result", "");
        // Never failed; the other pairs go on after one that is.
        EXPECT_TRUE(outcome == "applied" || outcome == "unchanged" || outcome == "refused")
            << first.out << first.err;
        if (outcome != "applied" && outcome != "unchanged")
            continue;
        std::set<std::string> skipped;
        for (const json& change : result["changes"]) {
            if (change.contains("skipped"))
                skipped.insert(change["setting"].get<std::string>());
        }
        // A setting of the profile that a read shows the printer not to hold is one apply said
        // it skipped.
        const json now = ReadSettings(port);
        for (const auto& [name, value] : settings.items()) {
            // Keys are proven by apply's own read-back, which reads them as the profile says.
            if (value.is_null() ||
                Among(name, {"key", "key1", "key2", "key3", "key4", "wpa_passphrase"}) ||
                !family.reported(before, name) || !family.reported(now, name))
                continue;
            if (skipped.count(name) == 0) {
                EXPECT_EQ(now.value(name, json()), value) << name;
            }
        }
        const CliRun second = Cli(apply);
        EXPECT_EQ(json::parse(second.out.substr(0, second.out.find('\n')), nullptr, false)
                      .value("result", ""),
                  "unchanged")
            << second.out << second.err;
        const CliRun check = Cli(apply + " --check");
        EXPECT_EQ(check.status, 0) << check.out << check.err;
    }
}

INSTANTIATE_TEST_SUITE_P(Families, Converge, ::testing::ValuesIn(kFamilies),
                         [](const auto& info) { return std::string("model") + info.param.model; });

}  // namespace
