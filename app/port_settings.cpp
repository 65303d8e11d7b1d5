// How the panel's choices become the serial driver's parameters.
#include "app/port_settings.h"

#include "link/port_device_name.h"

uint32_t DecimalValue(const std::string& text) {
    uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9' || value > (UINT32_MAX - 9) / 10)
            break;
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    return value;
}

uint8_t StopBitsCode(const std::string& stopBits) {
    const uint32_t value = DecimalValue(stopBits);
    return value == 1 ? 0 : static_cast<uint8_t>(value);
}

SerialSettings MakeSerialSettings(const std::string& port, const std::string& baud, int parityIndex,
                                  const std::string& dataBits, const std::string& stopBits) {
    SerialSettings settings;
    settings.portName = PortDeviceName(port);
    settings.baudRate = DecimalValue(baud);
    settings.parity = static_cast<uint8_t>(parityIndex < 0 ? 0 : parityIndex);
    settings.dataBits = static_cast<uint8_t>(DecimalValue(dataBits));
    settings.stopBits = StopBitsCode(stopBits);
    return settings;
}
