// The present interfaces of a device-interface class, one after another, as SetupAPI lists them.
#include "link/device_interfaces_win32.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// No device path comes near this; a larger detail size is not trusted.
constexpr DWORD kMaxDetailSize = 64 * 1024;

struct DeviceListCloser {
    void operator()(void* list) const { SetupDiDestroyDeviceInfoList(list); }
};

}  // namespace

InterfaceListEnd VisitDeviceInterfaces(const GUID& interfaceClass, const InterfaceVisitor& visit) {
    HDEVINFO raw = SetupDiGetClassDevsA(&interfaceClass, nullptr, nullptr,
                                        DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (raw == INVALID_HANDLE_VALUE)
        return InterfaceListEnd::kNoDeviceList;
    const std::unique_ptr<void, DeviceListCloser> list(raw);

    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA iface{};
        iface.cbSize = sizeof iface;
        if (!SetupDiEnumDeviceInterfaces(raw, nullptr, &interfaceClass, index, &iface)) {
            return GetLastError() == ERROR_NO_MORE_ITEMS ? InterfaceListEnd::kComplete
                                                         : InterfaceListEnd::kFailed;
        }
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailA(raw, &iface, nullptr, 0, &size, nullptr);
        if (size <= offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) ||
            size > kMaxDetailSize) {
            return InterfaceListEnd::kFailed;
        }
        // DWORD storage keeps the record's size field aligned.
        std::vector<DWORD> block((size + sizeof(DWORD) - 1) / sizeof(DWORD));
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(block.data());
        // The header's own size (5 on 32-bit Windows), not the size of the whole block.
        detail->cbSize = sizeof *detail;
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        if (!SetupDiGetDeviceInterfaceDetailA(raw, &iface, detail, size, nullptr, &device))
            return InterfaceListEnd::kFailed;
        const size_t room = size - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
        if (!visit(std::string(detail->DevicePath, strnlen(detail->DevicePath, room)), raw, device))
            return InterfaceListEnd::kStopped;
    }
}
