// apply --watch: printers plugged into one port one after another.
#include "cli/station_watch.h"

#include <chrono>
#include <cstdio>

#include "cli/apply_printer.h"
#include "cli/cli_platform.h"
#include "cli/commands.h"

namespace {

// How often the port is looked at while no printer answers, or while the last one stays.
constexpr auto kPollGap = std::chrono::milliseconds(500);

// The MAC address of the printer that answers on the port, read through its page; "" when the
// port is absent or nothing answers. Quiet: waiting is not news.
std::string PrinterOnPort(const LinkChoice& link, CStopSwitch& stop) {
    SessionHooks hooks;
    hooks.answerBox = [](const std::string&, unsigned) { return ui::kIdOk; };
    CPanelSession session(std::move(hooks));
    stop.Attach(&session);
    std::string error, mac;
    if (session.Open(link, &error) && session.WaitForPage() != CPanelSession::Family::kNone &&
        session.Run(ExchangeKind::kRead) == CPanelSession::Outcome::kDone)
        mac = session.MacShown();
    stop.Attach(nullptr);
    return mac;
}

// Brings the printer on port to the profile and calls the operator.
PrinterReport Serve(const CApplyPlan& plan, const CliCommand& command, const std::string& port,
                    COperatorIo& io, CResultOutput& output, CStopSwitch& stop) {
    const PrinterReport report = ApplyToPrinter(plan, command, port, io, stop);
    output.Printer(report);
    // The bell calls the operator to the bench; on standard error, so results stay clean.
    std::fputs("\a", stderr);
    std::fflush(stderr);
    return report;
}

}  // namespace

void WatchStation(const CApplyPlan& plan, const CliCommand& command, COperatorIo& io,
                  CResultOutput& output, CStopSwitch& stop) {
    // Each printer is served at the node it was plugged in at, not wherever --usb finds one.
    CliCommand atNode = command;
    atNode.link.usb = false;
    if (command.link.usb && ServeUsbPrintersAsPlugged(stop, [&](const std::string& node) {
            Serve(plan, atNode, node, io, output, stop);
        }))
        return;
    const std::string& port = command.ports.front();
    std::string mac;  // the printer last served, while it stays
    while (!stop.WaitFor(kPollGap)) {
        const std::string present = PrinterOnPort(command.link, stop);
        if (present.empty() || present == mac) {
            if (present.empty())
                mac.clear();
            continue;
        }
        if (stop.Tripped())
            break;
        const PrinterReport report = Serve(plan, command, port, io, output, stop);
        // A printer that did not read is taken as gone, so that it is tried again.
        mac = report.mac.empty() ? present : report.mac;
    }
}
