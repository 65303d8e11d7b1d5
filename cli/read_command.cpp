// zephra-cli read: reads the printer's settings through its page and gives them as a profile, or
// with the printer's particulars as one JSON object.
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "page_shared/text_file.h"

int RunRead(const CliCommand& command, COperatorIo& io) {
    CPanelSession session(io.Hooks());
    int status = kExitOk;
    const CPanelSession::Family family = Connect(session, command.link, io, &status);
    if (family == CPanelSession::Family::kNone)
        return status;
    const CPanelSession::Outcome read = session.Run(ExchangeKind::kRead);
    if (read != CPanelSession::Outcome::kDone) {
        // A failed read has shown the page's own message.
        if (read == CPanelSession::Outcome::kStopped)
            io.Error("zephra-cli: stopped; the port is closed");
        if (read == CPanelSession::Outcome::kPortClosed)
            io.Error(std::string("zephra-cli: ") + kPortClosed);
        return kExitPrinterFault;
    }
    // The same question the page asks before it saves settings to a file.
    const bool includeKey = io.AskYes("Include the security key in the file?");
    std::string text;
    const std::string refusal = session.SaveProfile(includeKey, &text);
    if (!refusal.empty()) {
        io.Error("zephra-cli: " + refusal);
        return kExitPrinterFault;
    }
    if (command.json) {
        // The printer as apply's JSON lines name it, with the profile's settings.
        nlohmann::json printer = {{"port", command.link.port},
                                  {"family", identification::FamilyName(family)},
                                  {"model", session.Model()},
                                  {"mac", session.MacShown()},
                                  {"version", session.VersionShown()}};
        printer["settings"] = nlohmann::json::parse(text).at("settings");
        printer["settings"].erase("key_left_out");
        io.Result(printer.dump(-1, ' ', true, nlohmann::json::error_handler_t::replace));
    } else if (command.out.empty()) {
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        io.Result(text);
    } else if (!WriteFileReplacing(command.out, text,
                                   includeKey ? FileAccess::kOwnerOnly : FileAccess::kShared)) {
        io.Error("zephra-cli: the settings could not be written to " + command.out);
        return kExitUsage;
    }
    return kExitOk;
}
