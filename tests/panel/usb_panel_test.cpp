// The panel over the USB link: each open result, Already Connected, the reader's batching as the
// panel steers it, and the queue-full and disconnect events.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/panel/panel_fixture.h"

namespace {

const char kNotOurPrinter[] = "This is NOT QUARNE printer.";
const char kUnplugged[] = "Disconnect the USB communication. Connect the USB port again!";

class UsbPanel : public Panel {
  protected:
    void OpenUsb() {
        ui_.Click(dlg_, IDC_USB);
        ui_.RunOnUi([this] { dlg_.EnableOpenClose(true, true); });
        ASSERT_TRUE(ui_.Click(dlg_, IDC_OPEN));
    }
    // One chunk as the USB reader hands it over, handled before the test goes on.
    void ReceiveUsb(const Bytes& bytes) {
        links_.ReceiveUsb(bytes);
        ui_.Settle();
    }
    // Bytes the page handled since the last call, one entry per page message.
    std::vector<Bytes> PageBatches(ui::CDialog& page) {
        std::vector<Bytes> batches;
        for (auto& d : ui_.TakeDeliveries()) {
            if (d.dialog == &page)
                batches.emplace_back(d.message.payload.begin(),
                                     d.message.payload.begin() + d.message.wParam);
        }
        return batches;
    }
    // Opens USB and lets the printer name model '5': the current-generation page is shown.
    void OpenOnPage1() {
        OpenUsb();
        ReceiveUsb({0x1B, 0x00, 0x02, 0x02, 0x00, '5', 0x0D, 0x0A});
        ASSERT_EQ(ui_.TopDialog(), &dlg_.m_page1);
        ui_.TakeBoxes();
        ui_.TakeDeliveries();
    }
    uint32_t Write(const Bytes& bytes) {
        uint32_t written = 0;
        ui_.RunOnUi(
            [&] { written = dlg_.WriteComm(bytes.data(), static_cast<uint32_t>(bytes.size())); });
        return written;
    }
};

TEST_F(UsbPanel, OpenFindsThePrinterAndIdentifiesIt) {
    OpenUsb();
    EXPECT_EQ(links_.log.usbOpens, 1);
    EXPECT_TRUE(links_.log.opens.empty()) << "no serial port is touched";
    EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "USB connection success");
    EXPECT_TRUE(dlg_.IsConnected());
    EXPECT_TRUE(ui_.TakeBoxes().empty());
    EXPECT_EQ(links_.log.writes, std::vector<Bytes>{kIdentify});
    EXPECT_TRUE(ui_.TimerArmed(dlg_, kModelTimer));
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_OPEN));
    EXPECT_TRUE(ui_.Enabled(dlg_, IDC_CLOSE));
}

TEST_F(UsbPanel, NoAcceptedDeviceSaysSoAndStillEndsOnTheModulePage) {
    links_.nextUsbResult = UsbOpenResult::kNoAcceptedDevice;
    OpenUsb();
    const auto boxes = ui_.TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kNotOurPrinter);
    EXPECT_EQ(boxes[0].type, ui::kMbOk | ui::kMbIconWarning);
    EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "Unable open the port!");
    EXPECT_FALSE(dlg_.IsConnected());
    EXPECT_TRUE(links_.log.writes.empty());
    ui_.Advance(510);
    EXPECT_EQ(ui_.TopDialog(), &dlg_.m_page3) << "silence leads to the module page";
}

TEST_F(UsbPanel, OtherOpenFailuresOnlySetTheStatus) {
    for (UsbOpenResult r :
         {UsbOpenResult::kNoEvent, UsbOpenResult::kNoDeviceList, UsbOpenResult::kSearchFailed,
          UsbOpenResult::kOpenFailed, UsbOpenResult::kThreadFailed}) {
        // Start from a success text: a failure must never leave it standing.
        ui_.RunOnUi([this] { dlg_.EnableOpenClose(true, true); });
        links_.nextUsbResult = UsbOpenResult::kOpened;
        OpenUsb();
        ui_.Click(dlg_, IDC_CLOSE);
        links_.nextUsbResult = r;
        OpenUsb();
        EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "Unable open the port!") << static_cast<int>(r);
        EXPECT_FALSE(dlg_.IsConnected());
        EXPECT_TRUE(ui_.TakeBoxes().empty()) << static_cast<int>(r);
        ui_.Click(dlg_, IDC_CLOSE);
    }
}

TEST_F(UsbPanel, AlreadyConnectedOpensNothing) {
    OpenUsb();
    OpenUsb();
    EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "Already Connected\n");
    EXPECT_EQ(links_.log.usbOpens, 1);
    EXPECT_EQ(links_.log.closes, 0);
    EXPECT_TRUE(dlg_.IsConnected());
    // The identification still goes out over the open link.
    EXPECT_EQ(links_.log.writes, (std::vector<Bytes>{kIdentify, kIdentify}));
}

TEST_F(UsbPanel, CloseReleasesTheDeviceAndTheNextOpenSearchesAgain) {
    OpenUsb();
    ASSERT_TRUE(ui_.Click(dlg_, IDC_CLOSE));
    EXPECT_EQ(links_.log.closes, 1);
    EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "Close Port");
    EXPECT_EQ(Write({0x1B, 0x7E, 0x41}), 0u);
    OpenUsb();
    EXPECT_EQ(links_.log.usbOpens, 2);
    EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "USB connection success");
}

TEST_F(UsbPanel, Page1ReadModeDeliversAReplyOnlyOnceItEnds) {
    OpenOnPage1();
    dlg_.m_bPage1Read = true;
    ReceiveUsb({0x1B, 0x7E, 0x52, 's', 's'});
    ReceiveUsb({'i', 'd'});
    EXPECT_TRUE(PageBatches(dlg_.m_page1).empty()) << "held until the reply ends";
    ReceiveUsb({'=', 'x', 0x0D, 0x0A});
    EXPECT_EQ(PageBatches(dlg_.m_page1),
              (std::vector<Bytes>{{0x1B, 0x7E, 0x52, 's', 's', 'i', 'd', '=', 'x', 0x0D, 0x0A}}));
    ReceiveUsb({0x1B, 0x7E, 0x52, 0x00});
    EXPECT_EQ(PageBatches(dlg_.m_page1).size(), 1u) << "a 0 byte ends a reply too";
}

TEST_F(UsbPanel, Page1ReadModeDeliversAReplyWithAnOpenEndOnceTheLineFallsQuiet) {
    OpenOnPage1();
    dlg_.m_bPage1Read = true;
    const Bytes reply = {0x1B, 0x7E, 0x43, 0x3F, 0x42, 0x52, 0x0D};
    const UsbChunkPlan plan = links_.ReceiveUsb(reply);
    ui_.Settle();
    EXPECT_TRUE(PageBatches(dlg_.m_page1).empty());
    DeliverUsbQuietGap(links_.LatestNotify(), plan.notifyWhenQuiet);
    ui_.Settle();
    EXPECT_EQ(PageBatches(dlg_.m_page1), std::vector<Bytes>{reply});
}

TEST_F(UsbPanel, ChunksGoStraightThroughOutsideReadMode) {
    OpenOnPage1();
    // Saving, or reading and saving at once, is not read mode.
    for (bool read : {false, true}) {
        dlg_.m_bPage1Read = read;
        dlg_.m_bPage1Save = true;
        ReceiveUsb({0x1B, 0x7E, 0x53});
        EXPECT_EQ(PageBatches(dlg_.m_page1), (std::vector<Bytes>{{0x1B, 0x7E, 0x53}})) << read;
    }
    // Read mode belongs to the current-generation page alone.
    ASSERT_TRUE(ui_.PressEscape(dlg_.m_page1));
    ui_.Click(dlg_, IDC_CLOSE);
    OpenUsb();
    ui_.Advance(510);
    ASSERT_EQ(ui_.TopDialog(), &dlg_.m_page3);
    ui_.TakeDeliveries();
    dlg_.m_bPage1Read = true;
    ReceiveUsb({0x1B, 0x7E, 0x72});
    EXPECT_EQ(PageBatches(dlg_.m_page3), (std::vector<Bytes>{{0x1B, 0x7E, 0x72}}));
}

TEST_F(UsbPanel, QueueFullIsShownThenWhatWasHeldIsDelivered) {
    OpenOnPage1();
    dlg_.m_bPage1Read = true;
    ReceiveUsb({0x1B, 0x7E, 0x52});
    const UsbChunkPlan plan = links_.ReceiveUsb(Bytes(2046, 'x'));
    ui_.Settle();
    EXPECT_EQ(plan.event, LinkEvent::kQueueFull);
    const auto boxes = ui_.TakeBoxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0].text, "m_QueueRead FULL!");
    EXPECT_EQ(boxes[0].type, ui::kMbOk | ui::kMbIconWarning);
    EXPECT_EQ(PageBatches(dlg_.m_page1), (std::vector<Bytes>{{0x1B, 0x7E, 0x52}}))
        << "the dropped chunk is not delivered, what was held is";
    EXPECT_TRUE(dlg_.IsConnected()) << "an overflow does not end the link";
}

TEST_F(UsbPanel, UnplugIsShownAndReleasesTheLink) {
    OpenOnPage1();
    links_.Unplug();
    ui_.Settle();
    const auto boxes = ui_.TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kUnplugged);
    EXPECT_EQ(boxes[0].type, ui::kMbOk | ui::kMbIconWarning);
    EXPECT_EQ(links_.log.closes, 1);
    EXPECT_FALSE(dlg_.IsConnected());
    EXPECT_EQ(Write({0x1B, 0x7E, 0x52}), 0u) << "nothing goes to a released device";
    // The page stays; once it ends, the panel offers Open, as nothing is left to close.
    EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "USB connection success");
    EXPECT_EQ(ui_.TopDialog(), &dlg_.m_page1);
    ASSERT_TRUE(ui_.PressEscape(dlg_.m_page1));
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_CLOSE));
    EXPECT_EQ(links_.log.closes, 1);
    ASSERT_TRUE(ui_.Click(dlg_, IDC_OPEN));
    EXPECT_EQ(links_.log.usbOpens, 2) << "a fresh search, not Already Connected";
    EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "USB connection success");
    EXPECT_TRUE(dlg_.IsConnected());
}

TEST_F(UsbPanel, EventsOfAnEarlierOpenAreIgnored) {
    OpenUsb();
    const NotifyFn earlier = links_.LatestNotify();
    ui_.Click(dlg_, IDC_CLOSE);
    OpenUsb();
    ui_.TakeBoxes();
    earlier(LinkEvent::kDisconnected);
    earlier(LinkEvent::kQueueFull);
    ui_.Settle();
    EXPECT_TRUE(ui_.TakeBoxes().empty());
    EXPECT_TRUE(dlg_.IsConnected());
    EXPECT_EQ(links_.log.closes, 1);

    // An event that arrives after Close finds no link at all.
    const NotifyFn current = links_.LatestNotify();
    ui_.Click(dlg_, IDC_CLOSE);
    current(LinkEvent::kDisconnected);
    ui_.Settle();
    EXPECT_TRUE(ui_.TakeBoxes().empty());
}

}  // namespace
