// zephra-cli apply: writes a profile to each printer in turn through its page, as an operator
// would load it and press "Save WLAN Info", then reads the printer back and compares.
#include <nlohmann/json.hpp>

#include <algorithm>

#include "cli/commands.h"
#include "page_shared/profile.h"
#include "page_shared/text_file.h"

namespace {

using nlohmann::json;

// The profile's settings that the printer did not give back as they were written: each setting of
// the family that the profile holds, so a key left out is left alone and markers are no settings.
std::string Differences(const profile::Family& family, const std::string& applied,
                        const std::string& readBack) {
    const json wanted = json::parse(applied).at("settings");
    const json got = json::parse(readBack).at("settings");
    std::string names;
    for (const profile::Field& field : family.fields) {
        const auto want = wanted.find(field.name);
        const auto found = got.find(field.name);
        if (want != wanted.end() && (found == got.end() || *found != *want))
            names += (names.empty() ? "" : ", ") + std::string(field.name);
    }
    return names;
}

// What the printer's line says of a save that went through: "saved" only when every write was
// acknowledged, otherwise the last write that was.
std::string SavedText(CPanelSession::Family family, const std::string& lastRequest) {
    // A module's page writes its port last and does not await that write's acknowledgement.
    if (family == CPanelSession::Family::kModule)
        return "acknowledged up to " + lastRequest;
    return "saved";
}

struct PrinterResult {
    int status = kExitOk;
    std::string text;  // after the port and family on the printer's line
};

// The last message the page showed, to say why a printer failed.
std::string LastMessage(CPanelSession& session, const char* otherwise) {
    const std::vector<std::string> messages = session.TakeMessages();
    return messages.empty() ? otherwise : messages.back();
}

PrinterResult ApplyTo(CPanelSession& session, CPanelSession::Family family,
                      const std::string& familyWanted, const std::string& profileText,
                      const std::string& lastSaveRequest) {
    if (familyWanted != FamilyName(family))
        return {kExitUsage, "refused: " + profile::OtherFamilyMessage(familyWanted)};
    switch (session.Run(ExchangeKind::kRead)) {
        case CPanelSession::Outcome::kDone:
            break;
        case CPanelSession::Outcome::kStopped:
            return {kExitPrinterFault, "stopped before the save; the port is closed"};
        case CPanelSession::Outcome::kPortClosed:
            return {kExitPrinterFault, std::string("failed: ") + kPortClosed};
        default:
            return {kExitPrinterFault,
                    "failed: " + LastMessage(session, "the read did not finish")};
    }
    session.TakeMessages();
    const std::string refusal = session.LoadProfile(profileText);
    if (!refusal.empty())
        return {kExitUsage, "refused: " + refusal};
    switch (session.Run(ExchangeKind::kSave)) {
        case CPanelSession::Outcome::kDone:
            break;
        case CPanelSession::Outcome::kRefused:
            return {kExitUsage, "refused: " + LastMessage(session, "the page refused the save")};
        case CPanelSession::Outcome::kStopped:
            return {kExitPrinterFault, "stopped after request " +
                                           std::to_string(session.RequestsSent()) +
                                           " of the save; the port is closed"};
        case CPanelSession::Outcome::kPortClosed:
            return {kExitPrinterFault, std::string("failed: ") + kPortClosed};
        case CPanelSession::Outcome::kFailed:
            return {kExitPrinterFault,
                    "failed: " + LastMessage(session, "the save did not finish")};
    }
    session.TakeMessages();
    const std::string saved = SavedText(family, lastSaveRequest);
    const CPanelSession::Outcome readBackOutcome = session.Run(ExchangeKind::kRead);
    if (readBackOutcome != CPanelSession::Outcome::kDone)
        return {kExitPrinterFault, saved + "; read-back failed: " +
                                       (readBackOutcome == CPanelSession::Outcome::kPortClosed
                                            ? kPortClosed
                                            : LastMessage(session, "it did not finish"))};
    std::string readBack;
    if (!session.SaveProfile(true, &readBack).empty())
        return {kExitPrinterFault, saved + "; the read-back could not be compared"};
    const std::string differences = Differences(*session.Profile(), profileText, readBack);
    if (!differences.empty())
        return {kExitPrinterFault, saved + "; read-back differs: " + differences};
    return {kExitOk, "applied"};
}

}  // namespace

int RunApply(const CliCommand& command, COperatorIo& io, CStopSwitch& stop) {
    std::string text, familyWanted;
    if (!ReadTextFile(command.profile, &text)) {
        io.Error("zephra-cli: cannot read " + command.profile);
        return kExitUsage;
    }
    const std::string refusal = profile::ReadProfileFamily(text, &familyWanted);
    if (!refusal.empty()) {
        io.Error("zephra-cli: " + command.profile + ": " + refusal);
        return kExitUsage;
    }
    int status = kExitOk;
    size_t applied = 0;
    for (const std::string& port : command.ports) {
        if (stop.Tripped())
            break;
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
        const CPanelSession::Family family = Connect(session, link, io, &connected);
        PrinterResult result;
        if (family == CPanelSession::Family::kNone) {
            result = {connected, connected == kExitUsage ? "failed: cannot open the port"
                                                         : "failed: not identified"};
        } else {
            result = ApplyTo(session, family, familyWanted, text, lastSaveRequest);
        }
        stop.Attach(nullptr);
        io.Result(port + " " + (family == CPanelSession::Family::kNone ? "-" : FamilyName(family)) +
                  " " + result.text);
        status = std::max(status, result.status);
        applied += result.status == kExitOk ? 1 : 0;
    }
    io.Result(std::to_string(applied) + " of " + std::to_string(command.ports.size()) +
              " printers applied");
    return status;
}
