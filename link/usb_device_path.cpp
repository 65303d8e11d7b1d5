// Which USB printer interface paths belong to a printer this utility configures, and which one
// opens.
#include "link/usb_device_path.h"

#include <algorithm>
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

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The four hex digits after name ("VID_") in an '&'-separated list of hardware ids; "" for none.
std::string IdValue(const std::string& ids, const std::string& name) {
    for (size_t at = 0;; ++at) {
        if (ids.compare(at, name.size(), name) == 0) {
            const std::string value = Slice(ids, at + name.size(), kIdLength);
            const bool hex = std::all_of(value.begin(), value.end(),
                                         [](unsigned char c) { return std::isxdigit(c) != 0; });
            return value.size() == kIdLength && hex ? value : std::string();
        }
        if ((at = ids.find('&', at)) == std::string::npos)
            return std::string();
    }
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

bool IsAcceptedUsbVendor(const std::string& vendor) {
    for (const char* accepted : kAcceptedVendors) {
        if (Upper(vendor) == accepted)
            return true;
    }
    return false;
}

bool IsAcceptedUsbPrinter(const std::string& path) {
    const UsbDevicePath parsed = ParseUsbDevicePath(path);
    return parsed.bus == "USB" && IsAcceptedUsbVendor(parsed.vendor);
}

bool ParseUsbDeviceInstanceId(const std::string& id, UsbInstanceIds* ids) {
    const size_t first = id.find('\\'), last = id.rfind('\\');
    if (first == std::string::npos || first == last || Upper(id.substr(0, first)) != "USB")
        return false;
    const std::string hardware = Upper(id.substr(first + 1, last - first - 1));
    ids->vendor = IdValue(hardware, "VID_");
    ids->product = IdValue(hardware, "PID_");
    const std::string instance = id.substr(last + 1);
    ids->serial = instance.find('&') == std::string::npos ? instance : std::string();
    return !ids->vendor.empty() && !ids->product.empty() &&
           hardware.find("&MI_") == std::string::npos;
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
