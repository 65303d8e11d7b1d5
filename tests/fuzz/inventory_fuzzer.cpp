// Feeds arbitrary text to zephra-cli's inventory reader as a fleet's CSV file, by MAC address or
// by port: whatever it holds, it is read or refused with one line, a refused inventory gives no
// printer a profile, and one by port has a row that no port list without it can take.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cli/inventory.h"
#include "page_module/page3_layout.h"
#include "page_module/page3_profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string kProfile =
        R"({"format": "zephra-printer-settings", "version": 1, "family": "module",)"
        R"( "settings": {"ssid": "Office", "dhcp": false}})";
    CInventory inventory;
    const std::string refusal =
        inventory.Parse("fuzz.csv", std::string(reinterpret_cast<const char*>(data), size),
                        page3::ProfileFamily(), page3::Page3Desc(), kProfile);
    std::string profile;
    if (refusal.find('\n') != std::string::npos ||
        (!refusal.empty() && inventory.ProfileFor("/dev/ttyS0", "00:00:00:00:00:00", &profile)) ||
        (refusal.empty() && inventory.ByPort() && inventory.CheckPorts({}).empty()))
        std::abort();
    return 0;
}
