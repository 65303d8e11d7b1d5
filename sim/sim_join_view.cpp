// Each family's store as the settings a join needs.
#include "sim/sim_join_view.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/sim_current_gen.h"
#include "sim/sim_legacy.h"
#include "sim/sim_module.h"

namespace {

SimJoinView CurrentGenView(const SimCurrentGenSettings& s) {
    SimJoinView view;
    view.infrastructure = s.mode == "0";
    view.ssid = s.ssid;
    if (s.automaticJoinKey) {
        view.secured = !s.automaticJoinKey->empty();
        view.key = *s.automaticJoinKey;
    } else {
        view.secured = s.security != "0";
        view.key = s.security == "1" ? s.wepKey : s.wpaKey;
    }
    view.dhcp = s.dhcp == "1";
    view.ip = s.ip;
    view.port = s.port;
    return view;
}

SimJoinView ModuleView(const SimModuleSettings& s) {
    SimJoinView view;
    view.infrastructure = s.configured == "1";
    view.ssid = s.ssid;
    view.secured = s.security != "0";
    view.key = s.passphrase;
    view.dhcp = s.ipAddrType == "1";
    view.ip = s.ipAddr;
    view.port = s.port;
    return view;
}

std::string TextOf(const std::vector<uint8_t>& record) {
    return std::string(record.begin(), std::find(record.begin(), record.end(), 0));
}

SimJoinView LegacyView(const CSimLegacy& legacy) {
    const auto& r = legacy.Records();
    const std::vector<uint8_t>& wireless = r.at(0x20);
    SimJoinView view;
    view.infrastructure = wireless[0] == 1;
    view.ssid = TextOf(r.at(CSimLegacy::kSsidRecord));
    const bool wpa = wireless[5] != 0, wep = wireless[2] != 0;
    view.secured = wpa || wep;
    if (wpa) {
        view.key = TextOf(r.at(CSimLegacy::kPassphraseRecord));
        view.keyMismatch = legacy.CheckPsk() == CSimLegacy::PskCheck::kMismatch;
    } else if (wep) {
        // Four keys of one size in the record of that size; the index picks the one in use.
        const std::vector<uint8_t>& keys = r.at(wireless[2] == 1 ? 0x22 : 0x23);
        const size_t size = keys.size() / 4, at = size * std::min<size_t>(wireless[3], 3);
        view.key.assign(keys.begin() + static_cast<std::ptrdiff_t>(at),
                        keys.begin() + static_cast<std::ptrdiff_t>(at + size));
    }
    view.dhcp = r.at(0x10)[0] == 1;
    const std::vector<uint8_t>& ip = r.at(0x00);
    view.ip = std::to_string(ip[0]) + "." + std::to_string(ip[1]) + "." + std::to_string(ip[2]) +
              "." + std::to_string(ip[3]);
    const std::vector<uint8_t>& tcp = r.at(0x30);
    view.port = std::to_string(tcp[4] | tcp[5] << 8);
    return view;
}

}  // namespace

std::optional<SimJoinView> JoinViewOf(CSimPrinter& printer) {
    if (CSimCurrentGen* gen = printer.ProtocolAs<CSimCurrentGen>())
        return CurrentGenView(gen->Settings());
    if (CSimModule* module = printer.ProtocolAs<CSimModule>())
        return ModuleView(module->Settings());
    if (const CSimLegacy* legacy = printer.ProtocolAs<CSimLegacy>())
        return LegacyView(*legacy);
    return std::nullopt;
}
