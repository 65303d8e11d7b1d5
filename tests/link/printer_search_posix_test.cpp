// The printer search on real pseudo-terminals: printers, a silent port, a port another program
// holds, and no descriptor left open afterwards.
#include <dirent.h>

#include <gtest/gtest.h>

#include "link/posix_link_provider.h"
#include "link/serial_link_posix.h"
#include "page_shared/printer_search_window.h"
#include "tests/support/link_receiver.h"
#include "tests/support/sim_process.h"
#include "ui/headless/headless_backend.h"

namespace {

using simproc::SimProcess;
using State = CPrinterSearch::State;

int OpenDescriptors() {
    int count = 0;
    DIR* fds = opendir("/proc/self/fd");
    while (fds != nullptr && readdir(fds) != nullptr)
        ++count;
    if (fds != nullptr)
        closedir(fds);
    return count;
}

TEST(PrinterSearchPosix, EveryPortIsAskedOnItsOwnAndAHeldPortIsNeverTakenOver) {
    SimProcess current({"--model", "7"}), legacy({"--model", "3"}), held({"--model", "5"}),
        silent({"--model", "4", "--identify", "silent"});
    const std::vector<std::string> ports = {current.Path(), held.Path(), "/dev/no-such-port",
                                            silent.Path(), legacy.Path()};
    Receiver rx;
    SerialSettings settings;
    settings.baudRate = 57600;
    settings.portName = ports[1];
    CPosixSerialLink holder;
    ASSERT_EQ(holder.Open(settings, rx.queue, rx.Notify()), SerialOpenResult::kOpened);
    const int before = OpenDescriptors();
    CPosixLinkProvider links;
    ui::HeadlessBackend ui(ui::HeadlessBackend::Clock::kSteady);
    ui::SetBackend(&ui);
    CPrinterSearchWindow window(links);
    ui.Start([&] { window.DoModal(); });
    ui.RunOnUi([&] { window.search.Start(ports, settings); });
    ui.WaitWhileTop(window, 10 * identification::kTimeoutMs);
    std::vector<CPrinterSearch::Row> rows;
    ui.RunOnUi([&] {
        EXPECT_FALSE(window.search.Searching());
        for (const CPrinterSearch::Row& row : window.search.Rows())
            rows.push_back(row);
    });
    ui.Stop();
    ui::SetBackend(nullptr);

    const struct {
        State state;
        uint8_t model;
        const char* error;
    } expected[] = {
        {State::kIdentified, '7', ""},
        {State::kInUse, 0, "Device or resource busy"},
        {State::kOpenFailed, 0, "No such file or directory"},
        {State::kNoAnswer, 0, ""},
        {State::kIdentified, '3', ""},
    };
    ASSERT_EQ(rows.size(), std::size(expected));
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].state, expected[i].state) << ports[i];
        EXPECT_EQ(rows[i].model, expected[i].model) << ports[i];
        EXPECT_EQ(rows[i].openError, expected[i].error) << ports[i];
    }
    EXPECT_EQ(OpenDescriptors(), before) << "every port the search opened is closed";
    // The holder still has its port, and its printer still answers it.
    EXPECT_EQ(holder.WriteComm(identification::kRequest, sizeof identification::kRequest), 4u);
    EXPECT_FALSE(rx.Await(1, "the identification reply on the port held").empty());
}

}  // namespace
