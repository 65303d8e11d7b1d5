// The connection panel on the headless backend: layout, enabling, Open and Close, status texts.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/panel/panel_fixture.h"

namespace {

TEST_F(Panel, StartsAsTheTemplateAndInitialisationSayIt) {
    EXPECT_EQ(ui_.Caption(dlg_), "Velmora_v7.3");
    std::vector<std::string> ports;
    for (int i = 1; i <= 20; ++i)
        ports.push_back("COM" + std::to_string(i));
    EXPECT_EQ(ui_.Items(dlg_, IDC_COMBO_PORT), ports);
    EXPECT_EQ(ui_.Items(dlg_, IDC_COMBO_BAUD),
              (std::vector<std::string>{"9600", "19200", "38400", "57600", "115200"}));
    EXPECT_EQ(ui_.Items(dlg_, IDC_COMBO_PARITY), (std::vector<std::string>{"None", "Odd", "Even"}));
    EXPECT_EQ(ui_.Items(dlg_, IDC_COMBO_DATABIT), (std::vector<std::string>{"8"}));
    EXPECT_EQ(ui_.Items(dlg_, IDC_COMBO_STOPBIT), (std::vector<std::string>{"1", "2"}));

    EXPECT_EQ(ui_.Text(dlg_, IDC_COMBO_PORT), "COM1");
    EXPECT_EQ(ui_.Text(dlg_, IDC_COMBO_BAUD), "57600");
    EXPECT_EQ(ui_.Text(dlg_, IDC_COMBO_PARITY), "None");
    EXPECT_EQ(ui_.Text(dlg_, IDC_COMBO_DATABIT), "8");
    EXPECT_EQ(ui_.Text(dlg_, IDC_COMBO_STOPBIT), "1");
    EXPECT_EQ(ui_.Checked(dlg_, IDC_SERIAL), 1);
    EXPECT_EQ(ui_.Checked(dlg_, IDC_USB), 0);
    EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "");
    EXPECT_TRUE(ui_.Enabled(dlg_, IDC_OPEN));
    EXPECT_TRUE(ui_.Enabled(dlg_, IDC_CLOSE));
    for (int id : kSerialControls)
        EXPECT_TRUE(ui_.Enabled(dlg_, id)) << id;

    using MenuItems = std::vector<std::pair<unsigned, std::string>>;
    EXPECT_EQ(ui_.SystemMenuItems(dlg_), (MenuItems{{16u, "About Orvo WLAN Utility"}}));
    EXPECT_EQ(ui_.IconId(dlg_), 128);
    EXPECT_TRUE(links_.log.opens.empty());
}

TEST_F(Panel, UsbGreysTheSerialSettingsAndSerialRestoresThem) {
    ASSERT_TRUE(ui_.Click(dlg_, IDC_USB));
    EXPECT_EQ(ui_.Checked(dlg_, IDC_USB), 1);
    EXPECT_EQ(ui_.Checked(dlg_, IDC_SERIAL), 0);
    for (int id : kSerialControls)
        EXPECT_FALSE(ui_.Enabled(dlg_, id)) << id;
    EXPECT_TRUE(ui_.Enabled(dlg_, IDC_SERIAL));
    EXPECT_FALSE(ui_.Select(dlg_, IDC_COMBO_PORT, 3)) << "a disabled list takes no choice";

    ASSERT_TRUE(ui_.Click(dlg_, IDC_SERIAL));
    for (int id : kSerialControls)
        EXPECT_TRUE(ui_.Enabled(dlg_, id)) << id;
    EXPECT_EQ(ui_.Checked(dlg_, IDC_USB), 0);
}

TEST_F(Panel, SwitchingTheRadioLeavesAnOpenLinkAlone) {
    OpenSerial(0, 3, 0, 0);
    ui_.Click(dlg_, IDC_USB);
    ui_.Click(dlg_, IDC_SERIAL);
    EXPECT_EQ(links_.log.closes, 0);
    EXPECT_TRUE(dlg_.IsConnected());
}

TEST_F(Panel, EveryPortOpensUnderTheRightName) {
    for (int i = 0; i < 20; ++i) {
        OpenSerial(i, 3, 0, 0);
        ui_.Click(dlg_, IDC_CLOSE);
        const std::string port = "COM" + std::to_string(i + 1);
        ASSERT_EQ(links_.log.opens.size(), static_cast<size_t>(i + 1));
        EXPECT_EQ(links_.log.opens.back().portName, i < 9 ? port : "\\\\.\\" + port);
    }
}

TEST_F(Panel, BaudParityAndStopBitsReachTheDriverAsCodes) {
    const uint32_t bauds[] = {9600, 19200, 38400, 57600, 115200};
    for (int b = 0; b < 5; ++b) {
        for (int parity = 0; parity < 3; ++parity) {
            for (int stop = 0; stop < 2; ++stop) {
                OpenSerial(0, b, parity, stop);
                ui_.Click(dlg_, IDC_CLOSE);
                const SerialSettings& s = links_.log.opens.back();
                EXPECT_EQ(s.baudRate, bauds[b]);
                EXPECT_EQ(s.parity, parity);
                EXPECT_EQ(s.dataBits, 8);
                EXPECT_EQ(s.stopBits, stop == 0 ? 0 : 2);
            }
        }
    }
}

TEST_F(Panel, OpenSendsTheIdentificationAndWaitsForTheModel) {
    const uint32_t before = ui_.Now();
    OpenSerial(0, 3, 0, 0);
    EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "Success");
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_OPEN));
    EXPECT_TRUE(ui_.Enabled(dlg_, IDC_CLOSE));
    EXPECT_EQ(links_.log.writes, std::vector<Bytes>{kIdentify});
    EXPECT_TRUE(dlg_.IsWaitingForModel());
    EXPECT_TRUE(ui_.TimerArmed(dlg_, kModelTimer));
    // Open returns after waiting half a second with messages dispatched.
    EXPECT_GE(ui_.Now() - before, 500u);
    EXPECT_LT(ui_.Now() - before, 520u);
}

TEST_F(Panel, IdentificationTimesOutAfterOneSecond) {
    OpenSerial(0, 3, 0, 0);
    ui_.Advance(480);
    EXPECT_TRUE(dlg_.IsWaitingForModel());
    ui_.Advance(30);
    EXPECT_FALSE(dlg_.IsWaitingForModel());
    EXPECT_FALSE(ui_.TimerArmed(dlg_, kModelTimer));
}

TEST_F(Panel, FailedOpenReportsAndStillRunsTheIdentification) {
    links_.nextResult = SerialOpenResult::kOpenFailed;
    OpenSerial(4, 3, 0, 0);
    EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "Unable to open the port");
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_OPEN));
    EXPECT_TRUE(ui_.Enabled(dlg_, IDC_CLOSE));
    EXPECT_FALSE(dlg_.IsConnected());
    EXPECT_TRUE(links_.log.writes.empty()) << "nothing may be written to a port that is not open";
    EXPECT_TRUE(ui_.TimerArmed(dlg_, kModelTimer));
    EXPECT_TRUE(ui_.TakeBoxes().empty());
}

TEST_F(Panel, EveryOpenFailureEndsInTheFailureStatus) {
    for (SerialOpenResult r : {SerialOpenResult::kNoEvent, SerialOpenResult::kConfigFailed,
                               SerialOpenResult::kThreadFailed}) {
        links_.nextResult = r;
        OpenSerial(0, 3, 0, 0);
        EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "Unable to open the port");
        ui_.Click(dlg_, IDC_CLOSE);
    }
}

TEST_F(Panel, ReaderThatCannotWatchIsReportedWithThePortName) {
    links_.nextResult = SerialOpenResult::kWatchFailed;
    OpenSerial(11, 3, 0, 0);
    const auto boxes = ui_.TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Error while creating ThreadWatchComm, \\\\.\\COM12");
    EXPECT_EQ(boxes[0].type, ui::kMbOk | ui::kMbIconWarning);
    EXPECT_FALSE(dlg_.IsConnected());
}

TEST_F(Panel, CloseReportsAndSwapsTheButtons) {
    OpenSerial(0, 3, 0, 0);
    ASSERT_TRUE(ui_.Click(dlg_, IDC_CLOSE));
    EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "Close Port");
    EXPECT_TRUE(ui_.Enabled(dlg_, IDC_OPEN));
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_CLOSE));
    EXPECT_EQ(links_.log.closes, 1);
    EXPECT_FALSE(dlg_.IsConnected());
    EXPECT_FALSE(dlg_.IsWaitingForModel());
    const Bytes more = {1, 2};
    uint32_t written = 1;
    ui_.RunOnUi([&] { written = dlg_.WriteComm(more.data(), 2); });
    EXPECT_EQ(written, 0u) << "writes after Close go nowhere";
}

// Only the status is shown: a choice made while the link is open stays for the next Open.
TEST_F(Panel, AChoiceMadeWhileOpenStaysThroughClose) {
    OpenSerial(0, 3, 0, 0);
    ASSERT_TRUE(ui_.Select(dlg_, IDC_COMBO_BAUD, 1));
    ASSERT_TRUE(ui_.Click(dlg_, IDC_CLOSE));
    EXPECT_EQ(ui_.Text(dlg_, IDC_COMBO_BAUD), "19200");
    EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "Close Port");
}

TEST_F(Panel, CloseWithNothingOpenTouchesNoLink) {
    ASSERT_TRUE(ui_.Click(dlg_, IDC_CLOSE));
    EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "Close Port");
    EXPECT_EQ(links_.log.closes, 0);
    EXPECT_TRUE(ui_.Enabled(dlg_, IDC_OPEN));
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_CLOSE));
}

TEST_F(Panel, OpeningAgainReleasesTheEarlierLinkFirst) {
    OpenSerial(0, 3, 0, 0);
    ui_.RunOnUi([this] { dlg_.EnableOpenClose(true, true); });
    OpenSerial(1, 3, 0, 0);
    EXPECT_EQ(links_.log.closes, 1);
    EXPECT_EQ(links_.log.opens.size(), 2u);
    EXPECT_TRUE(dlg_.IsConnected());
}

TEST_F(Panel, WritesServeTheOpenLinkWhateverTheRadioSays) {
    OpenSerial(0, 3, 0, 0);
    ui_.Click(dlg_, IDC_USB);
    const Bytes frame = {0x1B, 0x7E, 0x56};
    uint32_t written = 0;
    ui_.RunOnUi([&] { written = dlg_.WriteComm(frame.data(), 3); });
    EXPECT_EQ(written, 3u);
    EXPECT_EQ(links_.log.writes.back(), frame);
}

TEST_F(Panel, UsbOpenWhileALinkIsOpenSaysAlreadyConnected) {
    OpenSerial(0, 3, 0, 0);
    ui_.Click(dlg_, IDC_USB);
    ui_.RunOnUi([this] { dlg_.EnableOpenClose(true, true); });
    ui_.Click(dlg_, IDC_OPEN);
    EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "Already Connected\n");
    EXPECT_EQ(links_.log.opens.size(), 1u);
    EXPECT_EQ(links_.log.closes, 0);
}

TEST_F(Panel, AboutBoxFromTheSystemMenuAndFromHelp) {
    for (bool fromMenu : {false, true}) {
        if (fromMenu) {
            ASSERT_TRUE(ui_.MenuCommand(dlg_, ID_HELP_ABOUT));
        } else {
            ASSERT_TRUE(ui_.SysCommand(dlg_, IDM_ABOUTBOX));
        }
        ui::CDialog* about = ui_.TopDialog();
        ASSERT_NE(about, &dlg_);
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(ui_.Caption(*about), "About Velmora_v7.3");
        EXPECT_FALSE(ui_.Click(dlg_, IDC_OPEN)) << "the panel takes no clicks under a modal box";
        ASSERT_TRUE(ui_.Click(*about, ui::kIdOk));
        EXPECT_EQ(ui_.TopDialog(), &dlg_);
        EXPECT_TRUE(ui_.IsShown(dlg_));
    }
}

TEST_F(Panel, ExitEnterAndEscapeEndTheDialog) {
    ASSERT_TRUE(ui_.MenuCommand(dlg_, ID_FILE_EXIT));
    EXPECT_FALSE(ui_.IsShown(dlg_));
}

TEST_F(Panel, EnterEndsTheDialog) {
    ASSERT_TRUE(ui_.PressEnter(dlg_));
    EXPECT_FALSE(ui_.IsShown(dlg_));
}

TEST_F(Panel, EscapeEndsTheDialog) {
    ASSERT_TRUE(ui_.PressEscape(dlg_));
    EXPECT_FALSE(ui_.IsShown(dlg_));
}

TEST_F(Panel, OtherSystemCommandsKeepTheirDefaultHandling) {
    ASSERT_TRUE(ui_.SysCommand(dlg_, ui::kScClose));
    EXPECT_FALSE(ui_.IsShown(dlg_));
}

}  // namespace
