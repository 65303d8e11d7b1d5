// The first USB printer node of an accepted vendor, found in a sysfs tree laid out as the kernel
// lays out its printer-class interfaces.
#include "link/usb_printer_nodes_posix.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// Adds /sys/class/usbmisc/<node>, a link to the node filed under the interface of a USB device
// of vendor.
void AddPrinter(const fs::path& sys, const std::string& node, const std::string& vendor) {
    const fs::path device = sys / "devices" / ("usb-" + node);
    const fs::path misc = device / "1-1:1.0" / "usbmisc" / node;
    fs::create_directories(misc);
    fs::create_directories(sys / "class" / "usbmisc");
    std::ofstream(device / "idVendor") << vendor << "\n";
    fs::create_directory_symlink(fs::relative(misc, sys / "class" / "usbmisc"),
                                 sys / "class" / "usbmisc" / node);
}

TEST(UsbPrinterNodes, TheFirstOfAnAcceptedVendorByNumberIsOpened) {
    const struct {
        std::vector<std::pair<std::string, std::string>> printers;  // node, vendor id
        const char* first;
    } cases[] = {
        {{}, ""},
        {{{"lp0", "1a2b"}, {"hiddev0", "3c7d"}}, ""},
        {{{"lp0", "1a2b"}, {"lp10", "3C7D"}, {"lp2", "6e4b"}}, "/dev/usb/lp2"},
        {{{"lp1", "3c7d"}, {"lp0", "3c7d"}}, "/dev/usb/lp0"},
    };
    int run = 0;
    for (const auto& c : cases) {
        const fs::path sys =
            fs::path(::testing::TempDir()) /
            ("usb-nodes-" + std::to_string(getpid()) + "-" + std::to_string(run++));
        fs::remove_all(sys);
        for (const auto& printer : c.printers)
            AddPrinter(sys, printer.first, printer.second);
        EXPECT_EQ(FirstAcceptedUsbPrinterNode(sys.string()), c.first) << run;
        fs::remove_all(sys);
    }
}

}  // namespace
