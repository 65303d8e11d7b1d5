// zephra-cli against devices an umockdev testbed describes: the ports it lists with what the system
// says of them, every serial port identified at once against printer-sim, and the USB station as
// printers are plugged in and out.
#include <signal.h>
#include <umockdev.h>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "tests/cli/cli_run.h"
#include "tests/support/sim_process.h"

namespace {

using nlohmann::json;

// Two USB-serial adapters, an on-board UART that the serial core registered with nothing behind
// it, a virtual console and a USB printer of another vendor; with the accepted printer of
// accepted_usb_printer.umockdev, which the Ansible tests take too.
const char kDevices[] = R"(P: /devices/pci0000:00/0000:00:14.0/usb1/1-1
E: SUBSYSTEM=usb
E: DEVTYPE=usb_device
A: idVendor=2a3b
A: idProduct=0101
A: manufacturer=Bench
A: product=USB-Serial
A: serial=A1B2C3

P: /devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0
E: SUBSYSTEM=usb
E: DEVTYPE=usb_interface
A: bInterfaceClass=ff

P: /devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0/ttyUSB0
E: SUBSYSTEM=usb-serial

P: /devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0/ttyUSB0/tty/ttyUSB0
N: ttyUSB0
E: SUBSYSTEM=tty
E: DEVNAME=/dev/ttyUSB0
E: DEVLINKS=/dev/serial/by-path/pci-0000:00:14.0-usb-0:1:1.0-port0 /dev/serial/by-id/usb-Bench_USB-Serial_A1B2C3-if00-port0

P: /devices/pci0000:00/0000:00:14.0/usb1/1-2
E: SUBSYSTEM=usb
E: DEVTYPE=usb_device
A: idVendor=4c5d
A: idProduct=00ac
A: product=CDC Serial

P: /devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0
E: SUBSYSTEM=usb
E: DEVTYPE=usb_interface
A: bInterfaceClass=02

P: /devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/tty/ttyACM0
N: ttyACM0
E: SUBSYSTEM=tty
E: DEVNAME=/dev/ttyACM0

P: /devices/pci0000:00/0000:00:14.0/usb1/1-4
E: SUBSYSTEM=usb
E: DEVTYPE=usb_device
A: idVendor=5e6f
A: idProduct=0042
A: product=Office Printer

P: /devices/pci0000:00/0000:00:14.0/usb1/1-4/1-4:1.0
E: SUBSYSTEM=usb
E: DEVTYPE=usb_interface
A: bInterfaceClass=07

P: /devices/pci0000:00/0000:00:14.0/usb1/1-4/1-4:1.0/usbmisc/lp1
N: usb/lp1
E: SUBSYSTEM=usbmisc
E: DEVNAME=/dev/usb/lp1

P: /devices/platform/serial8250
E: SUBSYSTEM=platform

P: /devices/platform/serial8250/tty/ttyS1
N: ttyS1
E: SUBSYSTEM=tty
E: DEVNAME=/dev/ttyS1
A: type=0

P: /devices/virtual/tty/tty0
N: tty0
E: SUBSYSTEM=tty
E: DEVNAME=/dev/tty0
)";

// Runs each ioctl on the terminal itself: umockdev's own handler refuses the lock the serial link
// takes on its port.
gboolean PassOn(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer) {
    int error = 0;
    const int result = umockdev_ioctl_client_execute(client, &error, nullptr);
    umockdev_ioctl_client_complete(client, result, error);
    return TRUE;
}

// zephra-cli sees /sys and /dev in a testbed of the test's own (found by UMOCKDEV_DIR).
class Testbed : public ::testing::Test {
  protected:
    void SetUp() override {
        g_signal_connect(ioctls_, "handle-ioctl", G_CALLBACK(PassOn), nullptr);
    }
    void TearDown() override {
        g_object_unref(ioctls_);
        g_object_unref(testbed_);
    }
    // Lets zephra-cli open the terminal at path in the testbed as it would outside.
    void PassIoctls(const std::string& path) {
        ASSERT_TRUE(umockdev_testbed_attach_ioctl(testbed_, path.c_str(), ioctls_, nullptr));
    }
    static CliRun Run(const std::string& args) {
        const int status =
            std::system((UMOCKDEV_WRAPPER " " + CliCommandLine(args, "ports")).c_str());
        return CliRun{WEXITSTATUS(status), ReadText(TestFile("ports.out")),
                      ReadText(TestFile("ports.err"))};
    }

    UMockdevTestbed* testbed_ = umockdev_testbed_new();
    UMockdevIoctlBase* ioctls_ = umockdev_ioctl_base_new();
};

class CliPorts : public Testbed {
  protected:
    void SetUp() override {
        Testbed::SetUp();
        ASSERT_TRUE(umockdev_testbed_add_from_string(testbed_, kDevices, nullptr));
        ASSERT_TRUE(umockdev_testbed_add_from_file(testbed_, ACCEPTED_USB_PRINTER, nullptr));
    }
    static std::map<std::string, json> ByPath(const std::string& out) {
        std::map<std::string, json> ports;
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);) {
            const json port = json::parse(line);
            ports[port["path"]] = port;
        }
        return ports;
    }
};

TEST_F(CliPorts, ListsTheAdaptersAndTheAcceptedPrinterWithWhatTheSystemSaysOfThem) {
    const char* expected[] = {
        R"({"path": "/dev/ttyUSB0", "kind": "serial", "vendor_id": "2A3B", "product_id": "0101",
            "by_id": "/dev/serial/by-id/usb-Bench_USB-Serial_A1B2C3-if00-port0",
            "description": "Bench USB-Serial", "serial": "A1B2C3"})",
        R"({"path": "/dev/ttyACM0", "kind": "serial", "vendor_id": "4C5D", "product_id": "00AC",
            "by_id": "", "description": "CDC Serial", "serial": ""})",
        R"({"path": "/dev/usb/lp0", "kind": "usb", "vendor_id": "3C7D", "product_id": "0012",
            "by_id": "", "description": "Label Printer", "serial": "LP0001"})",
    };
    const CliRun run = Run("ports --json");
    EXPECT_EQ(run.status, 0) << run.err;
    std::istringstream lines(run.out);
    std::string line;
    for (const char* port : expected) {
        ASSERT_TRUE(std::getline(lines, line)) << run.out;
        EXPECT_EQ(json::parse(line), json::parse(port));
    }
    EXPECT_FALSE(std::getline(lines, line)) << line;

    EXPECT_EQ(Run("ports").out,
              "/dev/ttyUSB0 serial: 2A3B:0101 Bench USB-Serial, serial A1B2C3; "
              "/dev/serial/by-id/usb-Bench_USB-Serial_A1B2C3-if00-port0\n"
              "/dev/ttyACM0 serial: 4C5D:00AC CDC Serial\n"
              "/dev/usb/lp0 usb: 3C7D:0012 Label Printer, serial LP0001\n");
}

TEST_F(CliPorts, IdentifiesEverySerialPortAtOnceSendingTheIdentificationAlone) {
    const struct {
        std::vector<std::string> sim;
        const char *family, *model, *message;
    } printers[] = {
        {{"--model", "5"}, "current", "5", ""},
        {{"--model", "3"}, "legacy", "3", ""},
        {{"--model", "4"}, "module", "4", ""},
        {{"--model", "4", "--identify", "silent"}, "", "", "no answer"},
        {{"--model", "7", "--identify", "split"}, "current", "7", ""},
        {{"--model", "5", "--identify", "two"},
         "",
         "",
         "not identified: Check the printer connection."},
        {{"--model", "5", "--identify", "unknown"},
         "",
         "",
         "not identified: Check the printer model."},
    };
    std::vector<std::unique_ptr<simproc::SimProcess>> sims;
    std::vector<std::string> paths, logs;
    std::string args = "ports --identify --json --baud 115200";
    for (const auto& printer : printers) {
        logs.push_back(TestFile("sim" + std::to_string(logs.size()) + ".log"));
        std::vector<std::string> sim = printer.sim;
        sim.insert(sim.end(), {"--log", logs.back()});
        sims.push_back(std::make_unique<simproc::SimProcess>(sim));
        paths.push_back(sims.back()->Path());
        ASSERT_FALSE(paths.back().empty());
        PassIoctls(paths.back());
        args += " --port " + paths.back();
    }
    const CliRun run = Run(args);
    EXPECT_EQ(run.status, 0) << run.err;
    std::map<std::string, json> ports = ByPath(run.out);
    ASSERT_EQ(ports.size(), 3 + std::size(printers)) << run.out;
    for (size_t i = 0; i < paths.size(); ++i) {
        const json& port = ports[paths[i]];
        EXPECT_EQ(port["family"], printers[i].family) << port;
        EXPECT_EQ(port["model"], printers[i].model) << port;
        EXPECT_EQ(port["message"], printers[i].message) << port;
        EXPECT_EQ(ReadText(logs[i]), "1B 00 02 02\n") << port;
    }
    EXPECT_EQ(ports["/dev/usb/lp0"]["family"], "") << ports["/dev/usb/lp0"];
}

// --usb opens lp0, the testbed's printer of an accepted vendor, with printer-sim behind its node.
TEST_F(CliPorts, UsbOpensTheFirstPrinterOfAnAcceptedVendor) {
    simproc::SimProcess sim({"--model", "5"});
    UsbNodes usb;
    usb.Add(sim.Path());
    const CliRun run = Run("identify --usb");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "current 5\n");
}

// A bench where printers of an accepted vendor are plugged in one after another, each into a socket
// of its own, printer-sim behind each printer's node. umockdev tells zephra-cli of each device
// added or removed as udev would, from this process, when it runs under umockdev-wrapper as ctest
// runs it.
class UsbStation : public Testbed {
  protected:
    // Plugs printer n, which serves the terminal at path, into socket n; its node as zephra-cli
    // names it. The printer is the accepted one of the ports tests, moved to its socket and node.
    std::string Plug(int n, const std::string& path) {
        const std::string node = usb_.Add(path), name = node.substr(node.rfind('/') + 1);
        const std::string socket = "1-" + std::to_string(n);
        std::string devices = ReadText(ACCEPTED_USB_PRINTER);
        for (const auto& [from, to] : {std::pair{std::string("1-3"), socket}, {"lp0", name}}) {
            for (size_t at = devices.find(from); at != std::string::npos;
                 at = devices.find(from, at + to.size()))
                devices.replace(at, from.size(), to);
        }
        device_ = "/devices/pci0000:00/0000:00:14.0/usb1/" + socket;
        printerNode_ = device_ + "/" + socket + ":1.0/usbmisc/" + name;
        EXPECT_TRUE(umockdev_testbed_add_from_string(testbed_, devices.c_str(), nullptr));
        return node;
    }
    // Unplugs the last printer plugged in: its node's removal is told while the device is still
    // there to be read.
    void Unplug() {
        umockdev_testbed_uevent(testbed_, ("/sys" + printerNode_).c_str(), "remove");
        umockdev_testbed_remove_device(testbed_, ("/sys" + device_).c_str());
    }

    UsbNodes usb_;
    std::string device_, printerNode_;  // below /sys
};

TEST_F(UsbStation, ServesEachPrinterAsItIsPluggedInAndTheNextOnceItIsUnplugged) {
    const char* preload = std::getenv("LD_PRELOAD");
    ASSERT_TRUE(preload != nullptr && std::string(preload).find("umockdev") != std::string::npos)
        << "the testbed's events need this test under umockdev-wrapper";
    const std::string profile = TestFile("station.json");
    {
        simproc::SimProcess model({"--model", "5"});
        const std::string path = model.Path();
        PassIoctls(path);
        const CliRun run = Run("read --port " + path + " --out " + profile);
        ASSERT_EQ(run.status, 0) << run.err;
    }
    json settings = json::parse(ReadText(profile));
    settings["settings"]["ssid"] = "Bench";
    std::ofstream(profile) << settings.dump();

    const pid_t cli = StartCli("apply " + profile + " --watch --usb --yes", "station");
    std::unique_ptr<simproc::SimProcess> printer;
    std::string results;
    for (int n : {1, 2}) {
        if (printer)
            Unplug();
        const std::string log = TestFile("station" + std::to_string(n) + ".log");
        printer = std::make_unique<simproc::SimProcess>(std::vector<std::string>{
            "--model", "5", "--set", "mac=00:1A:2B:3C:4D:0" + std::to_string(n), "--log", log});
        results += Plug(n, printer->Path()) + " current applied\n";
        AwaitLines("station", static_cast<size_t>(n));
        // Waiting for the printer, and for it to go, asks it nothing: it heard the apply alone,
        // with its one identification.
        const std::string heard = ReadText(log);
        EXPECT_EQ(heard.find("1B 00 02 02"), heard.rfind("1B 00 02 02")) << heard;
    }
    kill(cli, SIGINT);
    EXPECT_EQ(CliStatus(cli), 0);
    EXPECT_EQ(ReadText(TestFile("station.out")), results + "2 of 2 printers applied\n");
}

}  // namespace
