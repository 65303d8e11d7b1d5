// zephra-cli identify: opens the port as the panel does and says which printer answered; also
// the connection every command begins with.
#include "cli/commands.h"

CPanelSession::Family Connect(CPanelSession& session, const LinkChoice& link,
                              CommandOutcome* outcome) {
    std::string error;
    if (!session.Open(link, &error)) {
        outcome->status = kExitUsage;
        outcome->errors.push_back("zephra-cli: cannot open " + link.port + ": " + error);
        return CPanelSession::Family::kNone;
    }
    const CPanelSession::Family family = session.WaitForPage();
    if (family == CPanelSession::Family::kNone) {
        outcome->status = kExitPrinterFault;
        // The panel has said why in its own message, unless it said nothing.
        if (session.TakeMessages().empty())
            outcome->errors.push_back("zephra-cli: the printer on " + link.port +
                                      " was not identified");
    }
    return family;
}

CommandOutcome RunIdentify(const CliCommand& command, COperatorIo& io) {
    CommandOutcome outcome;
    CPanelSession session(io.Hooks());
    const CPanelSession::Family family = Connect(session, command.link, &outcome);
    if (family == CPanelSession::Family::kNone)
        return outcome;
    std::string result = FamilyName(family);
    if (const uint8_t model = session.Model())
        result += std::string(" ") + static_cast<char>(model);
    outcome.results.push_back(result);
    return outcome;
}
