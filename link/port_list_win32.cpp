// The ports of a Windows system: COM ports by SetupAPI with their device manager names, and by
// the serial drivers' own list; USB printers by the interface path the USB link opens.
#include <windows.h>
// After <windows.h>, which they need.
#include <cfgmgr32.h>
#include <setupapi.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "link/device_interfaces_win32.h"
#include "link/port_list.h"
#include "link/usb_device_path.h"
#include "link/usb_link_win32.h"
#include "ui/win32/text.h"

namespace {

// The "Ports (COM & LPT)" device setup class.
const GUID kPortsClass = {
    0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
// A USB-serial adapter's driver may put a bus of its own between the port and the USB device.
constexpr int kMostLevelsUp = 4;

struct DeviceListCloser {
    void operator()(void* list) const { SetupDiDestroyDeviceInfoList(list); }
};

// A text property of the device; "" when it has none.
std::string Property(HDEVINFO list, SP_DEVINFO_DATA& device, DWORD property) {
    wchar_t text[512] = L"";
    if (!SetupDiGetDeviceRegistryPropertyW(list, &device, property, nullptr,
                                           reinterpret_cast<BYTE*>(text), sizeof text - 2, nullptr))
        return std::string();
    return ui::Narrow(text);
}

// The device manager's name of a device: its friendly name, or failing that its description.
std::string DeviceName(HDEVINFO list, SP_DEVINFO_DATA& device) {
    const std::string friendly = Property(list, device, SPDRP_FRIENDLYNAME);
    return friendly.empty() ? Property(list, device, SPDRP_DEVICEDESC) : friendly;
}

// The name a port device's driver gave it ("COM7", "LPT1"); "" for none.
std::string PortName(HDEVINFO list, SP_DEVINFO_DATA& device) {
    HKEY key = SetupDiOpenDevRegKey(list, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE)
        return std::string();
    wchar_t name[64] = L"";
    DWORD size = sizeof name - 2, type = 0;
    const LONG read =
        RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS && type == REG_SZ ? ui::Narrow(name) : std::string();
}

// The ids and serial number of the USB device the port belongs to, if it is on USB.
void DescribeUsbDevice(DEVINST device, PortInfo* port) {
    for (int up = 0; up < kMostLevelsUp; ++up) {
        wchar_t id[MAX_DEVICE_ID_LEN + 1] = L"";
        DEVINST parent = 0;
        UsbInstanceIds ids;
        if (CM_Get_Device_IDW(device, id, MAX_DEVICE_ID_LEN + 1, 0) != CR_SUCCESS)
            return;
        if (ParseUsbDeviceInstanceId(ui::Narrow(id), &ids)) {
            port->vendorId = ids.vendor;
            port->productId = ids.product;
            port->serial = ids.serial;
            return;
        }
        if (CM_Get_Parent(&parent, device, 0) != CR_SUCCESS)
            return;
        device = parent;
    }
}

void AddComPorts(std::vector<PortInfo>* ports) {
    HDEVINFO raw = SetupDiGetClassDevsW(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT);
    if (raw == INVALID_HANDLE_VALUE)
        return;
    const std::unique_ptr<void, DeviceListCloser> list(raw);
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(raw, index, &device); ++index) {
        PortInfo port;
        port.path = PortName(raw, device);
        // The class holds the printer ports too.
        if (port.path.rfind("COM", 0) != 0)
            continue;
        port.description = DeviceName(raw, device);
        DescribeUsbDevice(device.DevInst, &port);
        ports->push_back(port);
    }
}

// Every serial driver also names its ports under this key, which is how ports that no device of
// the class stands for (Wine's mapped ports, say) are found.
void AddSerialCommPorts(std::vector<PortInfo>* ports) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS)
        return;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256], value[64] = L"";
        DWORD nameLength = 256, size = sizeof value - 2, type = 0;
        const LONG read = RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                        reinterpret_cast<BYTE*>(value), &size);
        if (read == ERROR_NO_MORE_ITEMS)
            break;
        PortInfo port;
        port.path = ui::Narrow(value);
        if (read != ERROR_SUCCESS || type != REG_SZ || port.path.empty() ||
            std::any_of(ports->begin(), ports->end(),
                        [&port](const PortInfo& listed) { return listed.path == port.path; }))
            continue;
        ports->push_back(port);
    }
    RegCloseKey(key);
}

// COM2 before COM10.
long ComNumber(const std::string& name) {
    return name.size() > 3 ? std::strtol(name.c_str() + 3, nullptr, 10) : 0;
}
bool ComOrder(const PortInfo& a, const PortInfo& b) {
    return ComNumber(a.path) != ComNumber(b.path) ? ComNumber(a.path) < ComNumber(b.path)
                                                  : a.path < b.path;
}

}  // namespace

bool ListPorts(std::vector<PortInfo>* ports, std::string* error) {
    AddComPorts(ports);
    AddSerialCommPorts(ports);
    std::stable_sort(ports->begin(), ports->end(), ComOrder);
    const InterfaceListEnd end = VisitDeviceInterfaces(
        kUsbPrintInterface,
        [ports](const std::string& path, HDEVINFO list, SP_DEVINFO_DATA& device) {
            if (!IsAcceptedUsbPrinter(path))
                return true;
            const UsbDevicePath parsed = ParseUsbDevicePath(path);
            PortInfo port;
            port.kind = PortInfo::Kind::kUsb;
            port.path = path;
            port.vendorId = parsed.vendor;
            port.productId = parsed.product;
            port.description = DeviceName(list, device);
            UsbInstanceIds ids;
            if (ParseUsbDeviceInstanceId(parsed.normalised, &ids))
                port.serial = ids.serial;
            ports->push_back(port);
            return true;
        });
    // No list of USB printers is no USB printer; a list that broke off is a fault.
    if (end == InterfaceListEnd::kFailed)
        *error = "the list of USB printers broke off";
    return end != InterfaceListEnd::kFailed;
}
