// Which printer answers on each of several serial ports, each asked by a zephra-cli identify of
// its own.
#include "cli/port_identify.h"

#include <algorithm>
#include <sstream>

#include "cli/child_processes.h"

namespace {

constexpr char kOwnPrefix[] = "zephra-cli: ";

// What identify's status and last lines tell of the port.
PortIdentity Identity(int status, const std::string& out, const std::string& error) {
    PortIdentity identity;
    if (status == 0) {
        std::istringstream words(out);
        words >> identity.family >> identity.model;
        // The panel takes a printer that stays silent for a Wi-Fi module; here that is no
        // answer, as nothing on the port may be listening at all.
        if (identity.model.empty()) {
            identity.family.clear();
            identity.message = "no answer";
        }
        return identity;
    }
    if (status < 0) {
        identity.message = "stopped";
    } else if (error.rfind(kOwnPrefix, 0) == 0) {
        identity.message = error.substr(sizeof kOwnPrefix - 1);
    } else {
        // The panel's own message, as its message box gave it.
        identity.message = "not identified" + (error.empty() ? std::string() : ": " + error);
    }
    return identity;
}

}  // namespace

std::vector<PortIdentity> IdentifyPorts(const std::vector<std::string>& ports,
                                        const LinkChoice& link, CStopSwitch& stop) {
    std::vector<ChildRun> runs;
    for (const std::string& port : ports) {
        std::vector<std::string> args{"identify", "--port", port};
        for (const std::string& arg : LinkArguments(link))
            args.push_back(arg);
        runs.push_back({ThisProgram(), args, std::string()});
    }
    std::vector<std::string> out(ports.size()), error(ports.size());
    CChildProcesses children;
    stop.OnTrip([&children] { children.Stop(); });
    const std::vector<int> statuses =
        children.Run(runs, static_cast<unsigned>(std::max<size_t>(ports.size(), 1)),
                     [&](size_t i, ChildStream stream, const std::string& line) {
                         (stream == ChildStream::kOut ? out : error)[i] = line;
                     });
    stop.OnTrip(nullptr);
    std::vector<PortIdentity> identities;
    for (size_t i = 0; i < ports.size(); ++i)
        identities.push_back(Identity(statuses[i], out[i], error[i]));
    return identities;
}
