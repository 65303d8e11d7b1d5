// Which printer answers on each of several serial ports, all asked at once by one search.
#include "cli/port_identify.h"

#include <memory>

#include "cli/cli_platform.h"
#include "page_shared/printer_search_window.h"
#include "ui/headless/headless_backend.h"

namespace {

// The search ends at the identification's time-out; this leaves room for a busy machine on top.
constexpr unsigned kSearchLimitMs = identification::kTimeoutMs + 2000;

// What a row tells of its port, in the words identify used for it.
PortIdentity Identity(const CPrinterSearch::Row& row) {
    using State = CPrinterSearch::State;
    PortIdentity identity;
    switch (row.state) {
        case State::kIdentified:
            identity.family = identification::FamilyName(row.family);
            identity.model = std::string(1, static_cast<char>(row.model));
            break;
        case State::kRefused:
            identity.message =
                std::string("not identified: ") + identification::RefusalText(row.verdict);
            break;
        case State::kNoAnswer:
            // The panel takes a printer that stays silent for a Wi-Fi module; here that is no
            // answer, as nothing on the port may be listening at all.
            identity.message = "no answer";
            break;
        case State::kInUse:
        case State::kOpenFailed:
            identity.message = "cannot open " + row.port + ": " + row.openError;
            break;
        case State::kPortClosed:
            identity.message = "the port closed";
            break;
        case State::kAsking:
        case State::kCancelled:
            identity.message = "stopped";
            break;
    }
    return identity;
}

}  // namespace

std::vector<PortIdentity> IdentifyPorts(const std::vector<std::string>& ports,
                                        const LinkChoice& link, CStopSwitch& stop) {
    const std::unique_ptr<CLinkProvider> links = MakeCliLinks();
    ui::HeadlessBackend ui(ui::HeadlessBackend::Clock::kSteady);
    ui::SetBackend(&ui);
    CPrinterSearchWindow window(*links);
    ui.Start([&] {
        ui.SetMainWindow(&window);
        window.DoModal();
    });
    ui.RunOnUi([&] { window.search.Start(ports, LinkSettings(link)); });
    stop.OnTrip([&] { ui.ScheduleAfter(0, [&] { window.search.Cancel(); }); });
    // The window waits as long as the search has a port to hear from.
    ui.WaitWhileTop(window, kSearchLimitMs);
    stop.OnTrip(nullptr);
    std::vector<PortIdentity> identities;
    ui.RunOnUi([&] {
        window.search.Cancel();
        for (const CPrinterSearch::Row& row : window.search.Rows())
            identities.push_back(Identity(row));
    });
    ui.Stop();
    ui::SetBackend(nullptr);
    return identities;
}
