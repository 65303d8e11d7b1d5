// Identification of the printer and routing of its bytes to the page shown.
#include <gtest/gtest.h>

#include "tests/panel/panel_fixture.h"

namespace {

// An identification reply naming the model at index 5.
Bytes Reply(uint8_t model) {
    return {0x1B, 0x00, 0x02, 0x02, 0x00, model, 0x0D, 0x0A};
}

class Routing : public Panel {
  protected:
    void Open() {
        OpenSerial(0, 3, 0, 0);
        ui_.TakeBoxes();
        PageDeliveries();
    }
    ui::CDialog& PageFor(uint8_t model) {
        if (model == '3')
            return dlg_.m_page2;
        if (model == '4')
            return dlg_.m_page3;
        return dlg_.m_page1;
    }
    // Messages the pages handled since the last call; the panel's own notifications left out.
    std::vector<ui::HeadlessBackend::Delivery> PageDeliveries() {
        std::vector<ui::HeadlessBackend::Delivery> pages;
        for (auto& d : ui_.TakeDeliveries()) {
            if (d.dialog != &dlg_)
                pages.push_back(std::move(d));
        }
        return pages;
    }
    void ExpectRefused(const std::string& message) {
        const auto boxes = ui_.TakeBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, message);
        EXPECT_EQ(ui_.TopDialog(), &dlg_);
        EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "Close Port");
        EXPECT_EQ(links_.log.closes, 1);
        EXPECT_FALSE(ui_.TimerArmed(dlg_, kModelTimer));
        EXPECT_FALSE(dlg_.IsWaitingForModel());
    }
};

TEST_F(Routing, EachModelShowsItsPage) {
    for (uint8_t model : {'5', '7', '3', '4'}) {
        Open();
        Receive(Reply(model));
        ui::CDialog& page = PageFor(model);
        EXPECT_EQ(ui_.TopDialog(), &page) << model;
        EXPECT_EQ(ui_.Caption(page), "Velmora_v7.4");
        EXPECT_FALSE(ui_.TimerArmed(dlg_, kModelTimer)) << "the time-out must not fire later";
        EXPECT_FALSE(dlg_.IsWaitingForModel());
        ui_.Advance(2000);
        EXPECT_EQ(ui_.TopDialog(), &page);
        // The reply that chose the page is not delivered to it, not even once it has closed.
        ASSERT_TRUE(ui_.PressEscape(page));
        EXPECT_EQ(ui_.TopDialog(), &dlg_);
        EXPECT_TRUE(PageDeliveries().empty());
        ui_.Click(dlg_, IDC_CLOSE);
    }
}

TEST_F(Routing, ReplyDuringTheOpeningWaitShowsThePageInsideIt) {
    links_.log.onWrite = [this](const Bytes& written) {
        if (written == kIdentify)
            ui_.ScheduleAfter(30, [this] { links_.Receive(Reply('5')); });
    };
    OpenSerial(0, 3, 0, 0);
    EXPECT_EQ(ui_.TopDialog(), &dlg_.m_page1);
    EXPECT_LT(ui_.Now(), 100u) << "the page came while Open was still waiting";
}

TEST_F(Routing, SilenceShowsTheModulePageAfterOneSecond) {
    Open();
    ui_.Advance(480);  // Open already waited 500 ms
    EXPECT_EQ(ui_.TopDialog(), &dlg_);
    ui_.Advance(30);
    EXPECT_EQ(ui_.TopDialog(), &dlg_.m_page3);
    EXPECT_FALSE(dlg_.IsWaitingForModel());
    EXPECT_TRUE(ui_.TakeBoxes().empty());
}

TEST_F(Routing, AFailedOpenStillEndsOnTheModulePage) {
    links_.nextResult = SerialOpenResult::kOpenFailed;
    Open();
    ui_.Advance(600);
    EXPECT_EQ(ui_.TopDialog(), &dlg_.m_page3);
}

TEST_F(Routing, ALoneByteIsDiscardedAndTheTimeOutKeepsRunning) {
    Open();
    Receive({0x06});
    EXPECT_TRUE(dlg_.IsWaitingForModel());
    EXPECT_TRUE(ui_.TimerArmed(dlg_, kModelTimer));
    ui_.Advance(510);
    EXPECT_EQ(ui_.TopDialog(), &dlg_.m_page3);
    // The discarded byte is gone for good: it does not come back with the next notification.
    Receive({0x1B, 0x7E, 0x56});
    const auto deliveries = PageDeliveries();
    ASSERT_FALSE(deliveries.empty());
    EXPECT_EQ(deliveries.back().message.wParam, 3u);
}

// A reply may come in pieces, so one that stops short is refused only at the time-out.
TEST_F(Routing, TwoBytesMeanABadConnection) {
    Open();
    Receive({0x1B, 0x00});
    EXPECT_TRUE(ui_.TakeBoxes().empty());
    ui_.Advance(510);
    ExpectRefused("Check the printer connection.");
}

TEST_F(Routing, AReplyInPiecesShowsItsPage) {
    Open();
    Receive({0x1B});
    Receive({0x00, 0x02, 0x02, 0x00});
    EXPECT_EQ(ui_.TopDialog(), &dlg_);
    Receive({'3', 0x0D, 0x0A});
    EXPECT_EQ(ui_.TopDialog(), &dlg_.m_page2);
}

TEST_F(Routing, ShortRepliesAndUnknownModelsAreRefused) {
    const std::vector<Bytes> replies = {{0x1B, 0x00, 0x02},
                                        {0x1B, 0x00, 0x02, 0x02},
                                        {0x1B, 0x00, 0x02, 0x02, 0x35},
                                        Reply('6'),
                                        Reply(0x00),
                                        Reply(0xFF)};
    for (const Bytes& reply : replies) {
        links_.log.closes = 0;
        Open();
        Receive(reply);
        ui_.Advance(510);
        ExpectRefused("Check the printer model.");
        ui_.Advance(2000);
        EXPECT_EQ(ui_.TopDialog(), &dlg_) << "a refused printer gets no page later";
    }
}

TEST_F(Routing, NotificationsReachTheShownPageWithTheirOwnBytes) {
    Open();
    Receive(Reply('7'));
    const Bytes first = {0x1B, 0x7E, 0x52, 0x20, 0x40, '1', '.', '0'};
    const Bytes second = {0x1B, 0x7E, 0x51};
    Receive(first);
    Receive(second);
    const auto deliveries = PageDeliveries();
    ASSERT_EQ(deliveries.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const Bytes& sent = i == 0 ? first : second;
        const ui::Message& m = deliveries[i].message;
        EXPECT_EQ(deliveries[i].dialog, &dlg_.m_page1);
        EXPECT_EQ(m.id, WM_PAGE1_DATA);
        EXPECT_EQ(m.wParam, sent.size());
        ASSERT_EQ(m.payload.size(), 2048u);
        EXPECT_EQ(Bytes(m.payload.begin(), m.payload.begin() + sent.size()), sent);
        for (size_t b = sent.size(); b < m.payload.size(); ++b)
            ASSERT_EQ(m.payload[b], 0) << b;
    }
}

TEST_F(Routing, EachPageGetsItsOwnMessage) {
    const std::pair<uint8_t, unsigned> pages[] = {
        {'5', WM_PAGE1_DATA}, {'3', WM_PAGE2_DATA}, {'4', WM_PAGE3_DATA}};
    for (const auto& [model, messageId] : pages) {
        Open();
        Receive(Reply(model));
        Receive({0x1B, 0x7E, 0x53, 0x40});
        const auto deliveries = PageDeliveries();
        ASSERT_EQ(deliveries.size(), 1u);
        EXPECT_EQ(deliveries[0].dialog, &PageFor(model));
        EXPECT_EQ(deliveries[0].message.id, messageId);
        ui_.SysCommand(PageFor(model), ui::kScClose);
    }
}

TEST_F(Routing, ALoneByteReachesThePageAsAPieceOfAReply) {
    Open();
    Receive(Reply('5'));
    Receive({0x40});
    EXPECT_EQ(PageDeliveries().size(), 1u);
}

TEST_F(Routing, AFullQueueArrivesWholeWithAZeroAfterIt) {
    Open();
    Receive(Reply('5'));
    Bytes burst(2047);
    for (size_t i = 0; i < burst.size(); ++i)
        burst[i] = static_cast<uint8_t>(1 + i % 250);
    Receive(burst);
    const auto deliveries = PageDeliveries();
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].message.wParam, 2047u);
    EXPECT_EQ(deliveries[0].message.payload[2046], burst[2046]);
    EXPECT_EQ(deliveries[0].message.payload[2047], 0);
}

TEST_F(Routing, ThePageCloseBoxClosesTheLink) {
    Open();
    Receive(Reply('3'));
    ASSERT_TRUE(ui_.SysCommand(dlg_.m_page2, ui::kScClose));
    EXPECT_FALSE(ui_.IsShown(dlg_.m_page2));
    EXPECT_EQ(ui_.Text(dlg_, IDC_STATUS), "Close Port");
    EXPECT_EQ(links_.log.closes, 1);
    EXPECT_TRUE(ui_.Enabled(dlg_, IDC_OPEN));
    EXPECT_FALSE(ui_.Enabled(dlg_, IDC_CLOSE));
}

TEST_F(Routing, EscapeEndsThePageButKeepsTheLink) {
    Open();
    Receive(Reply('4'));
    ASSERT_TRUE(ui_.PressEscape(dlg_.m_page3));
    EXPECT_FALSE(ui_.IsShown(dlg_.m_page3));
    EXPECT_EQ(links_.log.closes, 0);
    EXPECT_TRUE(dlg_.IsConnected());
}

TEST_F(Routing, ANewOpenStartsTheIdentificationAgain) {
    Open();
    Receive(Reply('4'));
    ui_.PressEscape(dlg_.m_page3);
    ui_.Click(dlg_, IDC_CLOSE);
    Open();
    EXPECT_TRUE(dlg_.IsWaitingForModel());
    Receive(Reply('5'));
    EXPECT_EQ(ui_.TopDialog(), &dlg_.m_page1);
}

}  // namespace
