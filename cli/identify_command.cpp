// zephra-cli identify: opens the port as the panel does and says which printer answered.
#include "cli/identify_command.h"

#include "cli/panel_session.h"

CommandOutcome RunIdentify(const LinkChoice& link) {
    CommandOutcome outcome;
    CPanelSession session;
    std::string error;
    if (!session.Open(link, &error)) {
        outcome.status = kExitUsage;
        outcome.errors.push_back("zephra-cli: cannot open " + link.port + ": " + error);
        return outcome;
    }
    const CPanelSession::Family family = session.WaitForPage();
    outcome.errors = session.TakeMessages();
    if (family == CPanelSession::Family::kNone) {
        outcome.status = kExitPrinterFault;
        if (outcome.errors.empty())
            outcome.errors.push_back("zephra-cli: the printer was not identified");
        return outcome;
    }
    outcome.result = FamilyName(family);
    if (const uint8_t model = session.Model())
        outcome.result += std::string(" ") + static_cast<char>(model);
    return outcome;
}
