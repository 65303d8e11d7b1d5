// "Network check" on the headless backend, with a network the test controls: the counting line,
// Cancel, an address the operator enters and each result as the operator reads it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "app/network_check_dlg.h"
#include "app/network_check_layout.h"
#include "ui/headless/headless_backend.h"

namespace {

using namespace netcheck;

// Attempts that are accepted once the printer is up; the wait's thread may outlive the test's
// look at it, so what it shares is kept alive by the attempts themselves.
struct FakeNetwork {
    std::atomic<bool> up{false};
    std::atomic<int> attempts{0};
};

class FakeAttempts : public CConnectAttempts {
  public:
    explicit FakeAttempts(std::shared_ptr<FakeNetwork> network) : network_(std::move(network)) {}
    bool Start(const std::string&, uint16_t, std::chrono::milliseconds) override {
        ++network_->attempts;
        return true;
    }
    bool WaitAccepted(std::chrono::milliseconds limit) override {
        if (!network_->up)
            std::this_thread::sleep_for(limit);
        return network_->up;
    }

  private:
    std::shared_ptr<FakeNetwork> network_;
};

NetworkProbes Probes(const std::shared_ptr<FakeNetwork>& network) {
    return {[network] { return std::make_unique<FakeAttempts>(network); },
            [](const std::string&) { return std::string(); },
            [](const std::string&) { return std::string(); }};
}

NetworkTarget Static() {
    NetworkTarget target;
    target.address = "10.0.0.21", target.foundBy = "static", target.port = 9100;
    return target;
}

class NetworkCheck : public ::testing::Test {
  protected:
    void Show(const NetworkTarget& target, int seconds, bool offerAddress = false) {
        dialog_ = std::make_unique<CNetworkCheckDlg>(
            target, Probes(network_), std::chrono::seconds(seconds),
            std::chrono::steady_clock::now(), "00:1A:2B:3C:4D:5E", offerAddress);
        ui::SetBackend(&ui_);
        ui_.Start([this] { dialog_->DoModal(); });
    }
    void TearDown() override {
        ui_.Stop();
        ui::SetBackend(nullptr);
    }
    // Waits for what the wait's thread posts; the limit only catches a wait that never ends.
    std::string TextOnceSet(int id) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (ui_.Text(*dialog_, id).empty() && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            ui_.Settle();
        }
        return ui_.Text(*dialog_, id);
    }

    ui::HeadlessBackend ui_{ui::HeadlessBackend::Clock::kSteady};
    std::shared_ptr<FakeNetwork> network_ = std::make_shared<FakeNetwork>();
    std::unique_ptr<CNetworkCheckDlg> dialog_;
};

TEST_F(NetworkCheck, EachResultAsTheOperatorReadsIt) {
    const auto accessPoint = [] {
        NetworkTarget target;
        target.notChecked = "in Access Point mode, where it joins no network";
        return target;
    };
    const struct {
        const char* name;
        NetworkTarget target;
        int seconds;
        bool up;
        std::string result;
    } rows[] = {
        {"never answers", Static(), 1, false,
         "Unreachable at 10.0.0.21:9100: no answer within 1 s.\n\"Restore newest backup...\" in "
         "the page's system menu brings back the settings the printer had before this save."},
        {"an access point", accessPoint(), 60, true,
         "Not checked: in Access Point mode, where it joins no network"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        network_->up = row.up;
        Show(row.target, row.seconds);
        EXPECT_EQ(TextOnceSet(IDC_NET_RESULT).substr(0, row.result.size()), row.result);
        EXPECT_LE(network_->attempts.exchange(0), 4 * row.seconds + 1) << "four a second at most";
        EXPECT_EQ(ui_.Text(*dialog_, ui::kIdCancel), "Close");
        EXPECT_FALSE(ui_.Visible(*dialog_, IDC_NET_ADDRESS));
        ASSERT_TRUE(ui_.Click(*dialog_, ui::kIdCancel));
        EXPECT_FALSE(ui_.IsShown(*dialog_));
        TearDown();
    }
}

TEST_F(NetworkCheck, CountsTheSecondsUntilCancelEndsTheWaitAtOnce) {
    Show(Static(), 60);
    // The seconds count on as the test looks.
    EXPECT_EQ(TextOnceSet(IDC_NET_PROGRESS).substr(0, 31), "Waiting for 10.0.0.21:9100 ... ");
    EXPECT_EQ(ui_.Text(*dialog_, IDC_NET_PROGRESS).substr(32), " s of 60");
    EXPECT_EQ(ui_.Text(*dialog_, IDC_NET_RESULT), "");
    ASSERT_TRUE(ui_.Click(*dialog_, ui::kIdCancel));
    EXPECT_EQ(ui_.Text(*dialog_, IDC_NET_RESULT), "Not checked: cancelled");
    // Whatever the cancelled wait still posts changes nothing.
    network_->up = true;
    const int attempts = network_->attempts;
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    ui_.Settle();
    EXPECT_EQ(ui_.Text(*dialog_, IDC_NET_RESULT), "Not checked: cancelled");
    EXPECT_LE(network_->attempts, attempts + 1) << "the wait went on after Cancel";
    ASSERT_TRUE(ui_.Click(*dialog_, ui::kIdCancel));
    EXPECT_FALSE(ui_.IsShown(*dialog_));
}

TEST_F(NetworkCheck, ADhcpPrinterIsLookedForUntilTheOperatorEntersItsAddress) {
    NetworkTarget target;
    target.macKey = "001a2b3c4d5e", target.port = 9100;
    Show(target, 60, true);
    EXPECT_EQ(TextOnceSet(IDC_NET_PROGRESS).substr(0, 54),
              "Waiting for the address of 00:1A:2B:3C:4D:5E:9100 ... ");
    ASSERT_TRUE(ui_.Visible(*dialog_, IDC_NET_ADDRESS));
    ASSERT_TRUE(ui_.Type(*dialog_, IDC_NET_ADDRESS, "10.0.0.021"));
    ASSERT_TRUE(ui_.Click(*dialog_, IDC_NET_CHECK));
    EXPECT_EQ(ui_.TakeBoxTexts(),
              std::vector<std::string>{"Enter the printer's IPv4 address, such as 10.0.0.21."});
    network_->up = true;
    ASSERT_TRUE(ui_.Type(*dialog_, IDC_NET_ADDRESS, "10.0.0.21"));
    ASSERT_TRUE(ui_.Click(*dialog_, IDC_NET_CHECK));
    EXPECT_EQ(TextOnceSet(IDC_NET_RESULT).substr(0, 46),
              "Reachable at 10.0.0.21:9100 (entered) after 0.");
}

}  // namespace
