// The panel on the headless backend's steady clock, as the command line runs it: the printer's
// delays and the panel's time-outs pass in real time, with nobody advancing a clock.
#include <gtest/gtest.h>

#include <chrono>

#include "app/main_dialog_layout.h"
#include "tests/support/shown_panel.h"
#include "tests/support/sim_link.h"

namespace {

using Clock = std::chrono::steady_clock;

long MsSince(Clock::time_point t) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count());
}

TEST(SteadyClockPanel, IdentificationWaitsForTheReplyAndTheTimeOutInRealTime) {
    const struct {
        IdentifyMode mode;
        long atLeastMs, belowMs;
        bool current;  // else the Wi-Fi module's page
    } cases[] = {
        {IdentifyMode::kNormal, 100, kModelTimeoutMs, true},
        // Upper bounds only catch a hang: the machine may be busy.
        {IdentifyMode::kSilent, kModelTimeoutMs, 10 * kModelTimeoutMs, false},
    };
    for (const auto& c : cases) {
        ui::HeadlessBackend ui(ui::HeadlessBackend::Clock::kSteady);
        SimLinkProvider links(ui, '5');
        links.Printer().SetIdentifyMode(c.mode);
        links.Printer().SetReplyDelay(100);
        CZephraDlg dlg(links);
        StartPanel(ui, dlg);
        const auto start = Clock::now();
        ASSERT_TRUE(ui.Click(dlg, IDC_OPEN));
        EXPECT_TRUE(ui.WaitWhileTop(dlg, 10 * kModelTimeoutMs));
        const long ms = MsSince(start);
        EXPECT_GE(ms + 1, c.atLeastMs);  // timers fall due to the clock's whole millisecond
        EXPECT_LT(ms, c.belowMs);
        EXPECT_EQ(ui.TopDialog(), c.current ? static_cast<ui::CDialog*>(&dlg.m_page1)
                                            : static_cast<ui::CDialog*>(&dlg.m_page3));
        EXPECT_GE(ui.TickCount(), static_cast<uint32_t>(c.atLeastMs));
        StopPanel(ui);
    }
}

}  // namespace
