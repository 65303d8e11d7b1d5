// The printer search: every port asked at once, each row filled as its answer comes, and no port
// left open however the search ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/port_device_name.h"
#include "page_shared/printer_search_window.h"
#include "tests/panel/fake_link.h"
#include "ui/headless/headless_backend.h"

namespace {

using Bytes = std::vector<uint8_t>;
using State = CPrinterSearch::State;
using identification::Family;
using identification::Verdict;

const Bytes kIdentify = {0x1B, 0x00, 0x02, 0x02};

Bytes Reply(uint8_t model) {
    return {0x1B, 0x00, 0x02, 0x02, 0x00, model, 0x0D, 0x0A};
}

class PrinterSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        ui::SetBackend(&ui_);
        ui_.Start([this] { window_.DoModal(); });
        ui_.RunOnUi([this] { search().OnChange([this](size_t row) { changes_.push_back(row); }); });
    }
    void TearDown() override {
        ui_.Stop();
        ui::SetBackend(nullptr);
    }

    CPrinterSearch& search() { return window_.search; }
    void Start(const std::vector<std::string>& ports) {
        SerialSettings settings;
        settings.baudRate = 115200;
        settings.parity = 2;
        ui_.RunOnUi([&] { search().Start(ports, settings); });
    }
    // A row as the test thread may read it, between the UI thread's turns.
    CPrinterSearch::Row Row(size_t index) {
        CPrinterSearch::Row row;
        ui_.RunOnUi([&] { row = search().Rows().at(index); });
        return row;
    }
    bool Searching() {
        bool searching = false;
        ui_.RunOnUi([&] { searching = search().Searching(); });
        return searching;
    }
    void Receive(const std::string& port, const Bytes& bytes) {
        links_.ReceiveOn(PortDeviceName(port), bytes);
        ui_.Settle();
    }
    std::vector<size_t> TakeChanges() {
        std::vector<size_t> changes;
        ui_.RunOnUi([&] { changes.swap(changes_); });
        return changes;
    }
    void ExpectEnded(size_t rows) {
        EXPECT_FALSE(Searching());
        EXPECT_FALSE(ui_.TimerArmed(window_, CPrinterSearchWindow::kSearchTimer));
        EXPECT_EQ(links_.log.open, 0) << "every port is let go";
        const std::vector<size_t> changes = TakeChanges();
        ASSERT_FALSE(changes.empty());
        EXPECT_EQ(changes.back(), rows) << "the end is told last";
    }

    ui::HeadlessBackend ui_;
    FakeLinkProvider links_;
    CPrinterSearchWindow window_{links_};
    std::vector<size_t> changes_;  // on the UI thread
};

TEST_F(PrinterSearch, EachRowFillsAsItsAnswerComesWhateverTheOrder) {
    const struct {
        const char* port;
        SerialOpenResult opens;
    } ports[] = {
        {"COM1", SerialOpenResult::kOpened},     {"COM2", SerialOpenResult::kOpened},
        {"COM3", SerialOpenResult::kOpened},     {"COM4", SerialOpenResult::kInUse},
        {"COM5", SerialOpenResult::kOpened},     {"COM6", SerialOpenResult::kOpened},
        {"COM7", SerialOpenResult::kOpenFailed}, {"COM8", SerialOpenResult::kOpened},
        {"COM9", SerialOpenResult::kOpened},     {"COM12", SerialOpenResult::kOpened},
    };
    std::vector<std::string> names;
    for (const auto& port : ports) {
        names.push_back(port.port);
        links_.resultFor[PortDeviceName(port.port)] = port.opens;
    }
    Start(names);
    EXPECT_EQ(Row(3).state, State::kInUse);
    EXPECT_EQ(Row(6).state, State::kOpenFailed);
    EXPECT_EQ(TakeChanges(), (std::vector<size_t>{3, 6}));
    // Every port that opened was asked once, at once, with the settings given, and nothing else.
    ASSERT_EQ(links_.log.opens.size(), 10u);
    EXPECT_EQ(links_.log.opens[9].portName, "\\\\.\\COM12");
    for (const SerialSettings& opened : links_.log.opens) {
        EXPECT_EQ(opened.baudRate, 115200u);
        EXPECT_EQ(opened.parity, 2);
    }
    EXPECT_EQ(links_.log.writes, std::vector<Bytes>(8, kIdentify));
    EXPECT_EQ(links_.log.open, 8);

    // Answers as they come, each row named after it; a reply may come in pieces.
    const struct {
        unsigned atMs;
        const char* port;
        Bytes bytes;  // none: the line goes away
        size_t row;
        State state;  // the row's state right after
    } events[] = {
        {40, "COM2", {0x1B, 0x00, 0x02}, 1, State::kAsking},
        {120, "COM12", Reply('7'), 9, State::kIdentified},
        {300, "COM1", Reply('3'), 0, State::kIdentified},
        {310, "COM6", Reply('9'), 5, State::kRefused},
        {500, "COM8", {}, 7, State::kPortClosed},
        {700, "COM2", {0x02, 0x00, '5', 0x0D}, 1, State::kIdentified},
        {800, "COM5", {0x1B, 0x00}, 4, State::kAsking},
        {900, "COM9", {0x1B, 0x00, 0x02, 0x02}, 8, State::kAsking},
    };
    std::vector<size_t> order;
    for (const auto& e : events) {
        ui_.Advance(e.atMs - ui_.Now());
        if (e.bytes.empty()) {
            links_.DropLine(PortDeviceName(e.port));
            ui_.Settle();
        } else {
            Receive(e.port, e.bytes);
        }
        EXPECT_EQ(Row(e.row).state, e.state) << e.port << " at " << e.atMs;
        if (e.state != State::kAsking)
            order.push_back(e.row);
    }
    EXPECT_EQ(TakeChanges(), order);
    EXPECT_TRUE(Searching());
    EXPECT_EQ(links_.log.open, 3) << "an answered port is let go at once";

    // At the time-out every row still asked is judged on what it holds.
    ui_.Advance(1000 - ui_.Now());
    const struct {
        State state;
        Family family;
        uint8_t model;
        Verdict verdict;
    } rows[] = {
        {State::kIdentified, Family::kLegacy, '3', Verdict::kModel},
        {State::kIdentified, Family::kCurrent, '5', Verdict::kModel},
        {State::kNoAnswer, Family::kNone, 0, Verdict::kSilent},
        {State::kInUse, Family::kNone, 0, Verdict::kWaiting},
        {State::kRefused, Family::kNone, 0, Verdict::kTwoBytes},
        {State::kRefused, Family::kNone, 0, Verdict::kUnknownModel},
        {State::kOpenFailed, Family::kNone, 0, Verdict::kWaiting},
        {State::kPortClosed, Family::kNone, 0, Verdict::kWaiting},
        {State::kRefused, Family::kNone, 0, Verdict::kUnknownModel},
        {State::kIdentified, Family::kCurrent, '7', Verdict::kModel},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const CPrinterSearch::Row row = Row(i);
        EXPECT_EQ(row.port, names[i]);
        EXPECT_EQ(row.state, rows[i].state) << row.port;
        EXPECT_EQ(row.family, rows[i].family) << row.port;
        EXPECT_EQ(row.model, rows[i].model) << row.port;
        EXPECT_EQ(row.verdict, rows[i].verdict) << row.port;
    }
    ExpectEnded(std::size(rows));
}

TEST_F(PrinterSearch, LateRepeatedOrStaleBytesNeverChangeARow) {
    Start({"COM1", "COM2", "COM3"});
    Receive("COM1", Reply('5'));
    // A second reply, and two in one chunk: the first whole reply is the answer.
    Receive("COM1", Reply('3'));
    Bytes twice = Reply('4');
    const Bytes second = Reply('3');
    twice.insert(twice.end(), second.begin(), second.end());
    Receive("COM2", twice);
    const NotifyFn staleCom2 = links_.LatestNotify();
    ui_.Advance(1000);
    ASSERT_EQ(Row(2).state, State::kNoAnswer);
    TakeChanges();
    // After the time-out the readers are gone; news they posted before they went finds no row.
    staleCom2(LinkEvent::kData);
    staleCom2(LinkEvent::kDisconnected);
    ui_.Settle();
    EXPECT_EQ(Row(0).model, '5');
    EXPECT_EQ(Row(1).model, '4');
    EXPECT_EQ(Row(2).state, State::kNoAnswer);
    EXPECT_TRUE(TakeChanges().empty());
    EXPECT_EQ(links_.log.open, 0);
}

TEST_F(PrinterSearch, CancelLetsEveryPortGoAndKeepsWhatHadAnswered) {
    Start({"COM1", "COM2", "COM3"});
    ui_.Advance(200);
    Receive("COM2", Reply('3'));
    const NotifyFn staleCom3 = links_.LatestNotify();
    ui_.RunOnUi([this] { search().Cancel(); });
    EXPECT_EQ(Row(0).state, State::kCancelled);
    EXPECT_EQ(Row(1).state, State::kIdentified);
    EXPECT_EQ(Row(2).state, State::kCancelled);
    ExpectEnded(3);
    staleCom3(LinkEvent::kData);
    ui_.Advance(2000);
    EXPECT_EQ(Row(2).state, State::kCancelled);
    EXPECT_TRUE(TakeChanges().empty()) << "nothing after the end";
}

TEST_F(PrinterSearch, SearchAgainMidSearchStartsAfreshOnEveryPort) {
    Start({"COM1", "COM2"});
    const NotifyFn staleCom2 = links_.LatestNotify();
    ui_.Advance(600);
    Start({"COM2", "COM3"});
    EXPECT_EQ(links_.log.closes, 2) << "the first search let its ports go before asking again";
    EXPECT_EQ(links_.log.open, 2);
    staleCom2(LinkEvent::kData);
    ui_.Settle();
    // The first search's time-out no longer applies; the new one runs its own full time.
    ui_.Advance(600);
    EXPECT_EQ(Row(0).port, "COM2");
    EXPECT_EQ(Row(0).state, State::kAsking);
    Receive("COM3", Reply('4'));
    ui_.Advance(400);
    EXPECT_EQ(Row(0).state, State::kNoAnswer);
    EXPECT_EQ(Row(1).family, Family::kModule);
    ExpectEnded(2);
}

TEST_F(PrinterSearch, ASearchGoneMidwayLeavesNoPortOpen) {
    ui_.RunOnUi([this] {
        CPrinterSearch gone(window_, links_, 9, ui::kWmUser + 9);
        gone.Start({"COM1", "COM2"}, SerialSettings{});
    });
    EXPECT_EQ(links_.log.opens.size(), 2u);
    EXPECT_EQ(links_.log.open, 0);
    EXPECT_FALSE(ui_.TimerArmed(window_, 9));
}

TEST_F(PrinterSearch, NoPortThatOpensEndsTheSearchAtOnce) {
    links_.nextResult = SerialOpenResult::kInUse;
    Start({"COM1"});
    EXPECT_EQ(Row(0).state, State::kInUse);
    EXPECT_TRUE(links_.log.writes.empty());
    ExpectEnded(1);
}

}  // namespace
