// Which USB printer interface paths belong to a printer this utility configures, and which one
// opens.
#include "link/usb_device_path.h"

#include <cctype>

namespace {

constexpr size_t kPrefixLength = 4;  // "\\?\"
constexpr size_t kVendorPos = 8;
constexpr size_t kProductPos = 17;
constexpr size_t kIdLength = 4;
const char* const kAcceptedVendors[] = {"3C7D", "6E4B"};

std::string Slice(const std::string& text, size_t pos, size_t length) {
    return pos < text.size() ? text.substr(pos, length) : std::string();
}

}  // namespace

std::string NormaliseUsbDevicePath(const std::string& path) {
    const size_t lastHash = path.rfind('#');
    if (lastHash == std::string::npos || lastHash < kPrefixLength)
        return std::string();
    std::string out = path.substr(kPrefixLength, lastHash - kPrefixLength);
    for (char& c : out) {
        if (c == '#')
            c = '\\';
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

UsbDevicePath ParseUsbDevicePath(const std::string& path) {
    UsbDevicePath parsed;
    parsed.normalised = NormaliseUsbDevicePath(path);
    parsed.bus = parsed.normalised.substr(0, parsed.normalised.find('\\'));
    parsed.vendor = Slice(parsed.normalised, kVendorPos, kIdLength);
    parsed.product = Slice(parsed.normalised, kProductPos, kIdLength);
    return parsed;
}

bool IsAcceptedUsbPrinter(const std::string& path) {
    const UsbDevicePath parsed = ParseUsbDevicePath(path);
    if (parsed.bus != "USB")
        return false;
    for (const char* vendor : kAcceptedVendors) {
        if (parsed.vendor == vendor)
            return true;
    }
    return false;
}

size_t SelectUsbPrinter(const std::vector<std::string>& paths, uint32_t instance) {
    uint32_t accepted = 0;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (!IsAcceptedUsbPrinter(paths[i]))
            continue;
        if (accepted == instance)
            return i;
        ++accepted;
    }
    return kNoUsbPrinter;
}
