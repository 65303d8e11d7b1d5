// zephra-cli identify: opens the port as the panel does and says which printer answered; also
// the connection every command begins with.
#include "cli/commands.h"

CPanelSession::Family Connect(CPanelSession& session, const LinkChoice& link, COperatorIo& io,
                              int* status, std::string* why) {
    std::string error;
    if (!session.Open(link, &error)) {
        *status = kExitUsage;
        io.Error("zephra-cli: cannot open " + link.port + ": " + error);
        if (why != nullptr)
            *why = "cannot open the port: " + error;
        return CPanelSession::Family::kNone;
    }
    const CPanelSession::Family family = session.WaitForPage();
    if (family == CPanelSession::Family::kNone) {
        *status = kExitPrinterFault;
        // The panel has said why in its own message, unless it said nothing.
        const std::vector<std::string> messages = session.TakeMessages();
        if (messages.empty())
            io.Error("zephra-cli: the printer on " + link.port + " was not identified");
        if (why != nullptr)
            *why = "not identified" + (messages.empty() ? std::string() : ": " + messages.back());
    }
    return family;
}

int RunIdentify(const CliCommand& command, COperatorIo& io) {
    CPanelSession session(io.Hooks());
    int status = kExitOk;
    const CPanelSession::Family family = Connect(session, command.link, io, &status);
    if (family == CPanelSession::Family::kNone)
        return status;
    const std::string model = session.Model();
    io.Result(identification::FamilyName(family) + (model.empty() ? "" : " " + model));
    return kExitOk;
}
