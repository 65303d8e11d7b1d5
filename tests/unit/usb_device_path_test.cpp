// Device path rules of the USB printer search: normalisation, acceptance and the device chosen.
#include "link/usb_device_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kClass = "#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

std::string Path(const std::string& bus, const std::string& ids) {
    return "\\\\?\\" + bus + "#" + ids + "#7&2b4c1e0&0&0000" + kClass;
}

TEST(UsbDevicePath, NormalisesAsTheSystemReportsIt) {
    const UsbDevicePath p = ParseUsbDevicePath(Path("usb", "vid_3c7d&pid_01a2"));
    EXPECT_EQ(p.normalised, "USB\\VID_3C7D&PID_01A2\\7&2B4C1E0&0&0000");
    EXPECT_EQ(p.bus, "USB");
    EXPECT_EQ(p.vendor, "3C7D");
    EXPECT_EQ(p.product, "01A2");

    // Only the part after the last '#' goes; inner '#' become backslashes.
    EXPECT_EQ(NormaliseUsbDevicePath("\\\\?\\a#b#c#d"), "A\\B\\C");
}

TEST(UsbDevicePath, AcceptsBothVendorsWhateverTheProductAndCase) {
    const struct {
        std::string path;
        bool accepted;
    } cases[] = {
        {Path("usb", "vid_3c7d&pid_0001"), true},
        {Path("USB", "VID_3C7D&PID_FFFF"), true},
        {Path("Usb", "Vid_3C7d&Pid_12aB"), true},
        {Path("usb", "vid_6e4b&pid_0000"), true},
        {Path("USB", "VID_6E4B&PID_9999"), true},
        {Path("uSb", "vId_6e4B&pId_zz"), true},  // the product id is not compared
        {Path("usb", "vid_3c7e&pid_0001"), false},
        {Path("usb", "vid_6e4c&pid_0001"), false},
        {Path("usb", "vid_04b8&pid_0005"), false},
        {Path("usb", "vid_3c7&pid_0001"), false},    // one digit short shifts the position
        {Path("usbx", "vid_3c7d&pid_0001"), false},  // the bus must be exactly USB
        {Path("hid", "vid_3c7d&pid_0001"), false},
        {Path("lpt", "vid_6e4b&pid_0001"), false},
        {Path("usb", "pid_0001&vid_3c7d"), false},  // the vendor is read by position
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsAcceptedUsbPrinter(c.path), c.accepted) << c.path;
}

TEST(UsbDevicePath, MalformedPathsAreRejectedWithoutReadingPastThem) {
    const std::string cases[] = {
        "",
        "\\",
        "\\\\?\\",
        "\\\\?\\usb",
        "\\\\?\\usb\\vid_3c7d&pid_0001\\1",  // no '#': no interface class part to cut
        "usb#vid_3c7d",                      // '#' inside what would be the prefix
        "\\\\?\\#",
        "\\\\?\\usb#vid_3c7d",  // cut at the only '#': nothing but the bus is left
        "\\\\?\\usb#vid_#x",
        "########",
    };
    for (const std::string& path : cases) {
        EXPECT_FALSE(IsAcceptedUsbPrinter(path)) << path;
        const UsbDevicePath p = ParseUsbDevicePath(path);
        EXPECT_LE(p.vendor.size(), 4u);
        EXPECT_LE(p.product.size(), 4u);
    }
    EXPECT_EQ(NormaliseUsbDevicePath("\\\\?\\usb\\vid_3c7d&pid_0001\\1"), "");
    const UsbDevicePath shortPath = ParseUsbDevicePath("\\\\?\\usb#vid_3c#x");
    EXPECT_EQ(shortPath.bus, "USB");
    EXPECT_EQ(shortPath.vendor, "3C");
    EXPECT_EQ(shortPath.product, "");
}

TEST(UsbDevicePath, SelectsTheFirstAcceptedDeviceOfTheEnumeration) {
    const std::vector<std::string> paths = {
        Path("usb", "vid_04b8&pid_0005"), "\\\\?\\no-hash-at-all",
        Path("usb", "vid_6e4b&pid_0002"), Path("usb", "vid_3c7d&pid_0001"),
        Path("hid", "vid_3c7d&pid_0001"),
    };
    EXPECT_EQ(SelectUsbPrinter(paths, 0), 2u) << "the first accepted, not the first vendor listed";
    EXPECT_EQ(SelectUsbPrinter(paths, 1), 3u);
    EXPECT_EQ(SelectUsbPrinter(paths, 2), kNoUsbPrinter);
    EXPECT_EQ(SelectUsbPrinter({}, 0), kNoUsbPrinter);
    EXPECT_EQ(SelectUsbPrinter({Path("usb", "vid_1234&pid_0001"), "\\\\?\\x"}, 0), kNoUsbPrinter);
}

// The USB device a COM port belongs to, from the device instance ids the system gives.
TEST(UsbDevicePath, InstanceIdsNameTheDeviceItsIdsAndItsSerialNumber) {
    const struct {
        const char* id;
        bool device;
        const char *vendor, *product, *serial;
    } cases[] = {
        {"USB\\VID_2A3B&PID_0101\\A1B2C3", true, "2A3B", "0101", "A1B2C3"},
        {"usb\\vid_2a3b&pid_01ac\\a1b2c3", true, "2A3B", "01AC", "a1b2c3"},
        {"USB\\VID_2A3B&PID_0101&REV_0600\\5&1A2B3C&0&1", true, "2A3B", "0101", ""},
        {"USB\\VID_2A3B&PID_0101&MI_00\\6&2C4B3B0&0&0000", false, "", "", ""},
        {"FTDIBUS\\VID_2A3B+PID_0101+A1B2C3A\\0000", false, "", "", ""},
        {"USB\\ROOT_HUB30\\4&1B2C3D4E&0&0", false, "", "", ""},
        {"USB\\VID_2A3&PID_0101\\A1", false, "", "", ""},
        {"USB\\VID_2A3B&PID_0101", false, "", "", ""},
    };
    for (const auto& c : cases) {
        UsbInstanceIds ids;
        EXPECT_EQ(ParseUsbDeviceInstanceId(c.id, &ids), c.device) << c.id;
        if (c.device) {
            EXPECT_EQ(ids.vendor, c.vendor) << c.id;
            EXPECT_EQ(ids.product, c.product) << c.id;
            EXPECT_EQ(ids.serial, c.serial) << c.id;
        }
    }
}

}  // namespace
