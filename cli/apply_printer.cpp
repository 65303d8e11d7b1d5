// apply on one printer: through its page, as an operator would read it, load the profile and
// press "Save WLAN Info", then read it back and compare.
#include "cli/apply_printer.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>

#include "cli/commands.h"
#include "provision/printer_backup.h"

namespace {

using nlohmann::json;

const profile::Unproven* FindUnproven(const std::vector<profile::Unproven>& unproven,
                                      const std::string& setting) {
    const auto found =
        std::find_if(unproven.begin(), unproven.end(),
                     [&](const profile::Unproven& u) { return setting == u.setting; });
    return found == unproven.end() ? nullptr : &*found;
}

SettingChange Skipped(const std::string& setting, bool key, std::string why) {
    return {setting, json(), json(), key, false, std::move(why)};
}

// The profile against the printer. changes: what the save changes and its read-back proves (the
// settings the profile holds, a key only when it gives one, and, unless heldOnly, the others that
// loading the profile changed), then the settings the profile holds with another value that the
// save leaves unwritten, as skipped. unreported: those the save writes but the printer never
// reports, which only a save made for other changes brings about. A setting the save leaves
// unproven is taken as the profile says it: the page may not take it in the mode it is put in.
struct Comparison {
    std::vector<SettingChange> changes, unreported;
};
Comparison Compare(const profile::Family& family, const std::string& had, const std::string& loaded,
                   const std::string& wanted, const std::vector<profile::Unproven>& unproven,
                   bool heldOnly) {
    const json held = json::parse(wanted).at("settings");
    Comparison comparison;
    for (SettingChange& change : SettingChanges(family, had, loaded)) {
        if ((held.contains(change.setting) || (!change.key && !heldOnly)) &&
            FindUnproven(unproven, change.setting) == nullptr)
            comparison.changes.push_back(std::move(change));
    }
    // A choice the page's own rules override once the rest is loaded (a cipher that follows the
    // encryption) is not what the printer will hold either.
    const json page = json::parse(loaded).at("settings");
    for (const profile::Field& field : family.fields) {
        const json value = held.value(field.name, json()), taken = page.value(field.name, json());
        if (field.kind != profile::FieldKind::kText && field.kind != profile::FieldKind::kAddress &&
            !value.is_null() && taken != value && FindUnproven(unproven, field.name) == nullptr)
            comparison.changes.push_back(
                Skipped(field.name, false,
                        "the page takes " + taken.dump() + " with the profile's other settings"));
    }
    for (const SettingChange& change : SettingChanges(family, had, wanted)) {
        const profile::Unproven* u = FindUnproven(unproven, change.setting);
        if (u == nullptr || !change.changed || u->kind == profile::Unproven::Kind::kPageChoice)
            continue;
        (u->kind == profile::Unproven::Kind::kNotWritten ? comparison.changes
                                                         : comparison.unreported)
            .push_back(Skipped(change.setting, change.key, u->reason));
    }
    return comparison;
}

// What the printer's line says of a save that went through: "saved" only when every write was
// acknowledged, otherwise the last write that was.
std::string SavedText(CPanelSession::Family family, const std::string& lastRequest) {
    // A module's page writes its port last and does not await that write's acknowledgement.
    if (family == CPanelSession::Family::kModule)
        return "acknowledged up to " + lastRequest;
    return "saved";
}

// The last message the page showed, to say why a printer failed.
std::string LastMessage(CPanelSession& session, const char* otherwise) {
    const std::vector<std::string> messages = session.TakeMessages();
    return messages.empty() ? otherwise : messages.back();
}

void Fail(PrinterReport* report, const char* result, int status, std::string message) {
    report->result = result;
    report->status = status;
    report->message = std::move(message);
}

// How an exchange that did not go through ends the printer's report; when reading back, after
// what was saved.
void ExchangeFailed(PrinterReport* report, CPanelSession& session, CPanelSession::Outcome outcome,
                    ExchangeKind kind, const std::string& saved = std::string()) {
    const bool save = kind == ExchangeKind::kSave;
    switch (outcome) {
        case CPanelSession::Outcome::kRefused:
            if (save) {
                Fail(report, "refused", kExitUsage,
                     LastMessage(session, "the page refused the save"));
                return;
            }
            break;
        case CPanelSession::Outcome::kStopped:
            if (saved.empty()) {
                Fail(report, "stopped", kExitPrinterFault,
                     save ? "after request " + std::to_string(session.RequestsSent()) +
                                " of the save; the port is closed"
                          : "before the save; the port is closed");
                return;
            }
            break;
        case CPanelSession::Outcome::kPortClosed:
            Fail(report, "failed", kExitPrinterFault,
                 saved.empty() ? kPortClosed : saved + "; read-back failed: " + kPortClosed);
            return;
        default:
            break;
    }
    const std::string why =
        LastMessage(session, save ? "the save did not finish" : "the read did not finish");
    Fail(report, "failed", kExitPrinterFault,
         saved.empty() ? why : saved + "; read-back failed: " + why);
}

// What the printer holds once apply is done with it, the profile it was given, and since when:
// the start of its save, which restarts its radio at its end.
struct Held {
    std::string profile, wanted;
    std::chrono::steady_clock::time_point since = std::chrono::steady_clock::now();
};

// Reads the printer, then writes what differs from the profile it should hold.
void ApplyOnPage(PrinterReport* report, CPanelSession& session, CPanelSession::Family family,
                 const CApplyPlan& plan, const FleetOptions& fleet,
                 const std::string& lastSaveRequest, Held* held) {
    const CPanelSession::Outcome read = session.Run(ExchangeKind::kRead);
    report->version = session.VersionShown();
    report->mac = session.MacShown();
    if (read != CPanelSession::Outcome::kDone)
        return ExchangeFailed(report, session, read, ExchangeKind::kRead);
    session.TakeMessages();
    std::string wanted, had, loaded;
    // What the printer holds may be what no profile can (text that is not UTF-8): nothing to
    // compare with.
    const std::string unreadable = session.SaveProfile(true, &had);
    if (!unreadable.empty())
        return Fail(report, "failed", kExitPrinterFault, unreadable);
    std::string restoredFrom;
    std::string refusal =
        plan.ProfileFor(report->family, report->port, report->mac, &wanted, &restoredFrom);
    if (refusal.empty() && !restoredFrom.empty()) {
        report->restoredFrom = restoredFrom;
        report->profileSha256 = Sha256Hex(wanted);
    }
    if (refusal.empty())
        refusal = session.LoadProfile(wanted);
    if (!refusal.empty())
        return Fail(report, "refused", kExitUsage, refusal);
    // The profile as the page holds it: what the printer will be sent, each value as the page
    // writes it.
    session.SaveProfile(true, &loaded);
    held->wanted = wanted;
    const std::vector<profile::Unproven> unproven = session.UnprovenSettings();
    Comparison comparison =
        Compare(ProfileFamily(report->family), had, loaded, wanted, unproven, false);
    report->changes = std::move(comparison.changes);
    const bool changes = AnyChange(report->changes);
    const bool write = !fleet.check && (changes || fleet.force);
    // What the printer never reports is brought about only by a save that runs.
    if (!write)
        report->changes.insert(report->changes.end(), comparison.unreported.begin(),
                               comparison.unreported.end());
    if (fleet.strict && AnySkipped(report->changes))
        return Fail(report, "refused", kExitUsage,
                    "--strict: the save would not apply every setting the profile holds");
    // The plan runs the page's own checks of what it would write, which a profile's rules alone
    // cannot (a key's length for its security).
    if (fleet.check && changes && session.RehearseSave() == CPanelSession::Outcome::kRefused)
        return Fail(report, "refused", kExitUsage,
                    LastMessage(session, "the page refused the save"));
    if (!write) {
        report->result = changes ? "would-change" : "unchanged";
        report->status = changes ? kExitWouldChange : kExitOk;
        held->profile = had;
        held->since = std::chrono::steady_clock::now();
        return;
    }
    // The settings as read are kept before the first byte of the save goes out.
    if (!fleet.backup.empty()) {
        const std::string unwritten = WriteBackup(fleet.backup, report->mac, had, &report->backup);
        if (!unwritten.empty()) {
            report->backup.clear();
            return Fail(report, "refused", kExitUsage, unwritten);
        }
    }
    held->since = std::chrono::steady_clock::now();
    const CPanelSession::Outcome save = session.Run(ExchangeKind::kSave);
    if (save != CPanelSession::Outcome::kDone)
        return ExchangeFailed(report, session, save, ExchangeKind::kSave);
    session.TakeMessages();
    const std::string saved = SavedText(family, lastSaveRequest);
    const CPanelSession::Outcome readBack = session.Run(ExchangeKind::kRead);
    if (readBack != CPanelSession::Outcome::kDone)
        return ExchangeFailed(report, session, readBack, ExchangeKind::kRead, saved);
    std::string got;
    if (!session.SaveProfile(true, &got).empty())
        return Fail(report, "failed", kExitPrinterFault,
                    saved + "; the read-back could not be compared");
    // The settings the profile holds that the read-back reports otherwise than the page wrote
    // them; what the printer never reports proves nothing either way.
    std::string differences;
    for (const SettingChange& change :
         Compare(ProfileFamily(report->family), got, loaded, wanted, unproven, true).changes) {
        if (change.changed)
            differences += (differences.empty() ? "" : ", ") + change.setting;
    }
    if (!differences.empty())
        return Fail(report, "failed", kExitPrinterFault,
                    saved + "; read-back differs: " + differences);
    report->result = "applied";
    report->status = kExitOk;
    held->profile = got;
}

// Waits for the printer to answer on its network with what it holds; the settings stay as
// written whatever it finds.
void VerifyOnNetwork(PrinterReport* report, const Held& held, const CApplyPlan& plan,
                     const FleetOptions& fleet, COperatorIo& io, CStopSwitch& stop) {
    const bool option = !fleet.address.empty();
    const NetworkTarget target =
        TargetOf(report->family, json::parse(held.profile).at("settings"),
                 json::parse(held.wanted).at("settings"), report->mac,
                 option ? fleet.address : plan.InventoryAddress(report->port, report->mac),
                 option ? "command_line" : "inventory");
    const std::string waiting = report->port + " waiting on the network: ";
    report->network =
        AwaitPrinter(target, SystemProbes(), std::chrono::seconds(fleet.verify), held.since, stop,
                     [&](int elapsed) { io.Transient(waiting + std::to_string(elapsed) + " s"); });
    io.Transient(std::string());
    if (report->network.state == "unreachable")
        report->status = kExitUnreachable;
    else if (stop.Tripped())
        report->status = kExitPrinterFault;
}

}  // namespace

PrinterReport ApplyToPrinter(const CApplyPlan& plan, const CliCommand& command,
                             const std::string& port, COperatorIo& io, CStopSwitch& stop) {
    const auto start = std::chrono::steady_clock::now();
    PrinterReport report;
    report.port = port;
    LinkChoice link = command.link;
    link.port = port;
    // The save's last request sent; the page sends each only once the one before it was
    // acknowledged.
    std::string lastSaveRequest;
    SessionHooks hooks = io.Hooks();
    hooks.progress = [&lastSaveRequest, show = hooks.progress](const RequestProgress& p) {
        if (p.kind == ExchangeKind::kSave)
            lastSaveRequest = p.name;
        show(p);
    };
    CPanelSession session(std::move(hooks));
    stop.Attach(&session);
    int connected = kExitOk;
    std::string why;
    Held held;
    const CPanelSession::Family family = Connect(session, link, io, &connected, &why);
    if (family == CPanelSession::Family::kNone) {
        Fail(&report, "failed", connected, why);
    } else {
        report.family = identification::FamilyName(family);
        report.model = session.Model();
        // Restore's plan has no family of its own: each printer's backup is checked against it.
        if (!plan.FamilyName().empty() && plan.FamilyName() != report.family)
            Fail(&report, "refused", kExitUsage, profile::OtherFamilyMessage(plan.FamilyName()));
        else
            ApplyOnPage(&report, session, family, plan, command.fleet, lastSaveRequest, &held);
        if (command.fleet.verify > 0 && !held.profile.empty())
            VerifyOnNetwork(&report, held, plan, command.fleet, io, stop);
    }
    stop.Attach(nullptr);
    report.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return report;
}
