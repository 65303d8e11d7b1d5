// "Find printer..." in the panel: the PC's ports listed, the serial ones asked at once, each row
// filled as its answer comes, and the port chosen handed to the panel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/find_printer_layout.h"
#include "link/port_device_name.h"
#include "res/resource.h"
#include "tests/panel/panel_fixture.h"

namespace {

using findprinter::IDC_FIND_PORTS;
using findprinter::IDC_FIND_STATUS;
using findprinter::IDC_FIND_USE;

Bytes Reply(uint8_t model) {
    return {0x1B, 0x00, 0x02, 0x02, 0x00, model, 0x0D, 0x0A};
}

PortInfo Serial(const std::string& path, const std::string& description) {
    PortInfo port;
    port.path = path;
    port.vendorId = "0403";
    port.productId = "6001";
    port.description = description;
    return port;
}

class FindPrinter : public Panel {
  protected:
    FindPrinter() {
        PortInfo usb;
        usb.kind = PortInfo::Kind::kUsb;
        usb.path = "\\\\?\\usb#vid_1234&pid_5678#sn1";
        usb.description = "USB Printing Support";
        ports_ = {Serial("COM1", "USB Serial Port (COM1)"), Serial("COM3", "Serial (COM3)"),
                  Serial("COM4", "Serial (COM4)"), Serial("COM27", "Serial (COM27)"), usb};
        dlg_.SetPortLister([this](std::vector<PortInfo>* ports, std::string*) {
            *ports = ports_;
            return true;
        });
        links_.resultFor[PortDeviceName("COM4")] = SerialOpenResult::kInUse;
    }

    ui::CDialog& Find() {
        EXPECT_TRUE(ui_.MenuCommand(dlg_, ID_FILE_FIND_PRINTER));
        ui::CDialog* find = ui_.TopDialog();
        EXPECT_NE(find, &dlg_);
        return *find;
    }
    // Each row's answer column.
    std::vector<std::string> Answers(ui::CDialog& find) {
        std::vector<std::string> answers;
        for (const std::string& row : ui_.Items(find, IDC_FIND_PORTS))
            answers.push_back(row.substr(row.rfind('\t') + 1));
        return answers;
    }
    void Receive(const std::string& port, const Bytes& bytes) {
        links_.ReceiveOn(PortDeviceName(port), bytes);
        ui_.Settle();
    }

    std::vector<PortInfo> ports_;
};

TEST_F(FindPrinter, RowsFillAsAnswersComeAndUseHandsAPortBeyondTheListToThePanel) {
    ui::CDialog& find = Find();
    EXPECT_EQ(ui_.Items(find, IDC_FIND_PORTS).front(),
              "COM1\tUSB Serial Port (COM1) (0403:6001)\tasking...");
    EXPECT_EQ(Answers(find),
              (std::vector<std::string>{"asking...", "asking...", "in use by another program",
                                        "asking...", "USB printer: Open asks it"}));
    EXPECT_EQ(ui_.Text(find, IDC_FIND_STATUS), "Asking 4 ports...");

    Receive("COM3", Reply('3'));
    Receive("COM1", Reply('5'));
    EXPECT_EQ(Answers(find)[0], "model '5', current");
    EXPECT_EQ(Answers(find)[1], "model '3', legacy");
    ui_.Advance(identification::kTimeoutMs);
    EXPECT_EQ(Answers(find)[3], "no answer");
    EXPECT_EQ(ui_.Text(find, IDC_FIND_STATUS), "2 printers answered on 4 serial ports.");
    EXPECT_EQ(links_.log.open, 0);

    ASSERT_TRUE(ui_.Select(find, IDC_FIND_PORTS, 3));
    ASSERT_TRUE(ui_.Click(find, IDC_FIND_USE));
    EXPECT_EQ(ui_.TopDialog(), &dlg_);
    EXPECT_EQ(ui_.Items(dlg_, IDC_COMBO_PORT).back(), "COM27");
    EXPECT_EQ(ui_.Text(dlg_, IDC_COMBO_PORT), "COM27");
    ASSERT_TRUE(ui_.Click(dlg_, IDC_OPEN));
    EXPECT_EQ(links_.log.opens.back().portName, "\\\\.\\COM27");
}

TEST_F(FindPrinter, ADoubleClickOnAUsbPrinterChoosesTheUsbLink) {
    ui::CDialog& find = Find();
    ASSERT_TRUE(ui_.DoubleClick(find, IDC_FIND_PORTS, 4));
    EXPECT_EQ(ui_.TopDialog(), &dlg_);
    EXPECT_EQ(ui_.Checked(dlg_, IDC_USB), 1);
    EXPECT_EQ(ui_.Checked(dlg_, IDC_SERIAL), 0);
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_COMBO_PORT));
    EXPECT_EQ(links_.log.open, 0);
}

TEST_F(FindPrinter, UseWithNoRowChosenSaysSo) {
    ui::CDialog& find = Find();
    ASSERT_TRUE(ui_.Click(find, IDC_FIND_USE));
    EXPECT_EQ(ui_.TakeBoxTexts(), std::vector<std::string>{"Choose a port in the list first."});
    EXPECT_EQ(ui_.TopDialog(), &find);
}

}  // namespace
