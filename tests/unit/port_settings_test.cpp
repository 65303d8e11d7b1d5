// The panel's choices as serial driver parameters: port names, baud, parity and stop-bit codes.
#include "app/port_settings.h"

#include <gtest/gtest.h>

namespace {

TEST(PortSettings, SingleDigitPortsOpenAsTheyAre) {
    for (int i = 1; i <= 9; ++i) {
        const std::string port = "COM" + std::to_string(i);
        EXPECT_EQ(PortDeviceName(port), port);
    }
}

TEST(PortSettings, TwoDigitPortsUseTheDeviceNamespace) {
    for (int i = 10; i <= 20; ++i) {
        const std::string port = "COM" + std::to_string(i);
        EXPECT_EQ(PortDeviceName(port), "\\\\.\\" + port);
    }
    EXPECT_EQ(PortDeviceName("/dev/ttyUSB0"), "/dev/ttyUSB0");
}

TEST(PortSettings, StopBitsAndParityCodes) {
    EXPECT_EQ(StopBitsCode("1"), 0);
    EXPECT_EQ(StopBitsCode("2"), 2);
    const char* parities[] = {"None", "Odd", "Even"};
    for (int i = 0; i < 3; ++i) {
        SerialSettings s = MakeSerialSettings("COM3", "9600", i, "8", "1");
        EXPECT_EQ(s.parity, i) << parities[i];
    }
}

TEST(PortSettings, EveryBaudRateAndTheWholeRecord) {
    for (uint32_t baud : {9600u, 19200u, 38400u, 57600u, 115200u}) {
        EXPECT_EQ(MakeSerialSettings("COM1", std::to_string(baud), 0, "8", "1").baudRate, baud);
    }
    const SerialSettings s = MakeSerialSettings("COM12", "115200", 2, "8", "2");
    EXPECT_EQ(s.portName, "\\\\.\\COM12");
    EXPECT_EQ(s.baudRate, 115200u);
    EXPECT_EQ(s.parity, 2);
    EXPECT_EQ(s.dataBits, 8);
    EXPECT_EQ(s.stopBits, 2);
}

TEST(PortSettings, NoSelectionGivesNamesThatCannotOpenRatherThanGarbage) {
    const SerialSettings s = MakeSerialSettings("", "", -1, "", "");
    EXPECT_EQ(s.portName, "\\\\.\\");
    EXPECT_EQ(s.baudRate, 0u);
    EXPECT_EQ(s.parity, 0);
    EXPECT_EQ(DecimalValue("99999999999999"), 999999999u);
}

}  // namespace
