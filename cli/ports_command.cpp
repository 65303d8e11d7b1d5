// zephra-cli ports: the ports where a printer may be, and with --identify which printer answers
// on each serial port.
#include <nlohmann/json.hpp>

#include <algorithm>

#include "cli/commands.h"
#include "cli/port_identify.h"
#include "link/port_list.h"

namespace {

const char* PortKindName(PortInfo::Kind kind) {
    return kind == PortInfo::Kind::kUsb ? "usb" : "serial";
}

std::string PortText(const PortInfo& port, const PortIdentity* identity) {
    std::vector<std::string> parts;
    if (identity != nullptr) {
        parts.push_back(identity->family.empty() ? identity->message
                                                 : identity->family + " " + identity->model);
    }
    std::string device = port.vendorId.empty() ? "" : port.vendorId + ":" + port.productId;
    if (!port.description.empty())
        device += (device.empty() ? "" : " ") + port.description;
    if (!port.serial.empty())
        device += (device.empty() ? "serial " : ", serial ") + port.serial;
    for (const std::string& part : {device, port.byId}) {
        if (!part.empty())
            parts.push_back(part);
    }
    std::string line = port.path + " " + PortKindName(port.kind);
    for (size_t i = 0; i < parts.size(); ++i)
        line += (i == 0 ? ": " : "; ") + parts[i];
    // A device names itself as it likes; its line stays one line.
    std::replace_if(
        line.begin(), line.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }, ' ');
    return line;
}

nlohmann::json PortJson(const PortInfo& port, const PortIdentity* identity) {
    nlohmann::json object{
        {"path", port.path},
        {"kind", PortKindName(port.kind)},
        {"by_id", port.byId},
        {"vendor_id", port.vendorId},
        {"product_id", port.productId},
        {"description", port.description},
        {"serial", port.serial},
    };
    if (identity != nullptr) {
        object["family"] = identity->family;
        object["model"] = identity->model;
        object["message"] = identity->message;
    }
    return object;
}

}  // namespace

int RunPorts(const CliCommand& command, COperatorIo& io, CStopSwitch& stop) {
    std::vector<PortInfo> ports;
    std::string error;
    if (!ListPorts(&ports, &error)) {
        io.Error("zephra-cli: cannot list the ports: " + error);
        return kExitPrinterFault;
    }
    for (const std::string& given : command.ports) {
        if (std::none_of(ports.begin(), ports.end(), [&given](const PortInfo& port) {
                return port.path == given || port.byId == given;
            })) {
            PortInfo port;
            port.path = given;
            ports.push_back(port);
        }
    }
    std::vector<PortIdentity> identities(ports.size());
    if (command.identify) {
        std::vector<std::string> serial;
        for (const PortInfo& port : ports) {
            if (port.kind == PortInfo::Kind::kSerial)
                serial.push_back(port.path);
        }
        const std::vector<PortIdentity> answers = IdentifyPorts(serial, command.link, stop);
        for (size_t i = 0, s = 0; i < ports.size(); ++i) {
            if (ports[i].kind == PortInfo::Kind::kSerial)
                identities[i] = answers[s++];
            else
                identities[i].message = "not asked: a USB port";
        }
    }
    for (size_t i = 0; i < ports.size(); ++i) {
        const PortIdentity* identity = command.identify ? &identities[i] : nullptr;
        io.Result(command.json ? PortJson(ports[i], identity)
                                     .dump(-1, ' ', true, nlohmann::json::error_handler_t::replace)
                               : PortText(ports[i], identity));
    }
    return kExitOk;
}
