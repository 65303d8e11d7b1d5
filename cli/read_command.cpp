// zephra-cli read: reads the printer's settings through its page and gives them as a profile.
#include "app/text_file.h"
#include "cli/commands.h"

CommandOutcome RunRead(const CliCommand& command, COperatorIo& io) {
    CommandOutcome outcome;
    CPanelSession session(io.Hooks());
    if (Connect(session, command.link, &outcome) == CPanelSession::Family::kNone)
        return outcome;
    const CPanelSession::Outcome read = session.Run(ExchangeKind::kRead);
    if (read != CPanelSession::Outcome::kDone) {
        // A failed read has shown the page's own message.
        outcome.status = kExitPrinterFault;
        if (read == CPanelSession::Outcome::kStopped)
            outcome.errors.push_back("zephra-cli: stopped; the port is closed");
        return outcome;
    }
    // The same question the page asks before it saves settings to a file.
    const bool includeKey = io.AskYes("Include the security key in the file?");
    std::string text;
    const std::string refusal = session.SaveProfile(includeKey, &text);
    if (!refusal.empty()) {
        outcome.status = kExitPrinterFault;
        outcome.errors.push_back("zephra-cli: " + refusal);
        return outcome;
    }
    if (command.out.empty()) {
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        outcome.results.push_back(text);
    } else if (!WriteFileReplacing(command.out, text)) {
        outcome.status = kExitUsage;
        outcome.errors.push_back("zephra-cli: the settings could not be written to " + command.out);
    }
    return outcome;
}
