// zephra-cli's command line: the commands, their options, and how they are checked.
#include "cli/cli_options.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <sstream>

#include "app/main_dialog_layout.h"
#include "app/port_settings.h"
#include "provision/mac_address.h"
#include "zephra_version.h"

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The items of the panel's list for control id.
const std::vector<std::string>& Items(int id) {
    for (const ui::ControlDesc& c : MainDialogDesc().controls) {
        if (c.id == id)
            return c.items;
    }
    static const std::vector<std::string> none;
    return none;
}

// The index of text in the panel's list for control id, ignoring case; -1 when it has none.
int ChoiceIndex(int id, const std::string& text) {
    const std::vector<std::string>& items = Items(id);
    for (size_t i = 0; i < items.size(); ++i) {
        if (Lower(items[i]) == Lower(text))
            return static_cast<int>(i);
    }
    return -1;
}

// The panel's choices, for the error that names a value it does not offer; a long list by its
// ends.
std::string Choices(int id) {
    const std::vector<std::string>& items = Items(id);
    if (items.size() > 5)
        return items.front() + " to " + items.back();
    std::string list;
    for (const std::string& item : items)
        list += (list.empty() ? "" : ", ") + item;
    return list;
}

// The port as the links take it (a list entry as the list spells it); empty, with the error in
// *message, when this system has no such port.
std::string PortName(const std::string& port, PortNaming naming, std::string* message) {
    if (naming == PortNaming::kDevicePaths) {
        if (port.empty())
            *message = "zephra-cli: --port is empty";
        return port;
    }
    const int index = ChoiceIndex(IDC_COMBO_PORT, port);
    if (index < 0) {
        *message = "zephra-cli: --port " + port + " is not one of " + Choices(IDC_COMBO_PORT);
        return std::string();
    }
    return Items(IDC_COMBO_PORT)[static_cast<size_t>(index)];
}

// The options apply and restore share: how each printer is written and how many at once.
void AddWriteOptions(CLI::App* apply, FleetOptions& fleet) {
    apply->add_flag("--check", fleet.check,
                    "Reads each printer and prints what would change; writes nothing");
    apply->add_flag("--force", fleet.force, "Writes a printer whose settings already match");
    apply->add_flag("--strict", fleet.strict,
                    "Refuses a printer whose save would leave a setting of the profile unwritten");
    apply->add_option("--jobs", fleet.jobs, "Ports served at once (default: all of them)")
        ->check(CLI::PositiveNumber);
    apply->add_option("--log", fleet.log, "Appends each result as a JSON line to this file");
    apply->add_flag("--watch", fleet.watch, "Serves one port, printer after printer, until Ctrl-C");
    apply->add_option("--backup", fleet.backup,
                      "Keeps each printer's settings in this folder before writing to it");
    apply
        ->add_flag("--verify{60}", fleet.verify,
                   "Waits up to SECONDS (default 60) for each printer to answer on its network")
        ->check(CLI::Range(1, 3600));
    apply->add_option("--address", fleet.address,
                      "With --verify, where the one printer is when DHCP gives its address");
}

void AddFleetOptions(CLI::App* apply, CliCommand* command) {
    FleetOptions& fleet = command->fleet;
    apply->add_option("profile", command->profile, "The profile to write")->required();
    apply->add_option("--inventory", fleet.inventory,
                      "A CSV file of per-printer settings, a row per printer by its mac column, "
                      "or by port when its first column is port");
    // Given by a fleet to each of its processes; no one else needs it.
    apply->add_flag("--one-of-fleet", fleet.oneOfFleet)->group("");
    apply->add_flag("--allow-unlisted", fleet.allowUnlisted,
                    "A printer with no inventory row takes the profile as it is");
    AddWriteOptions(apply, fleet);
    CLI::Option* env =
        apply->add_option("--key-env", fleet.keyEnv, "The security key from this variable");
    CLI::Option* file =
        apply->add_option("--key-file", fleet.keyFile, "The security key from this file");
    CLI::Option* in =
        apply->add_flag("--key-stdin", fleet.keyStdin, "The security key from standard input");
    env->excludes(file, in);
    file->excludes(in);
}

}  // namespace

std::vector<std::string> LinkArguments(const LinkChoice& link) {
    const struct {
        const char* option;
        int id, index;
    } choices[] = {
        {"--baud", IDC_COMBO_BAUD, link.baud},
        {"--parity", IDC_COMBO_PARITY, link.parity},
        {"--data", IDC_COMBO_DATABIT, link.dataBits},
        {"--stop", IDC_COMBO_STOPBIT, link.stopBits},
    };
    std::vector<std::string> args;
    for (const auto& choice : choices) {
        args.push_back(choice.option);
        args.push_back(Items(choice.id).at(static_cast<size_t>(choice.index)));
    }
    return args;
}

SerialSettings LinkSettings(const LinkChoice& link) {
    const auto item = [](int id, int index) { return Items(id).at(static_cast<size_t>(index)); };
    return MakeSerialSettings(std::string(), item(IDC_COMBO_BAUD, link.baud), link.parity,
                              item(IDC_COMBO_DATABIT, link.dataBits),
                              item(IDC_COMBO_STOPBIT, link.stopBits));
}

int ParseCli(int argc, const char* const* argv, CliCommand* command, std::string* message,
             PortNaming naming) {
    const bool comPorts = naming == PortNaming::kComPorts;
    CLI::App app{"Sets up the WLAN interface of printers over a serial port.", "zephra-cli"};
    app.require_subcommand(1);
    app.set_version_flag("--version", ZEPHRA_VERSION, "Prints the version and exits");
    std::string baud = "57600", parity = "None", dataBits = "8", stopBits = "1";
    bool usb = false;
    const struct {
        CliCommand::Kind kind;
        const char* name;
        const char* description;
    } kinds[] = {
        {CliCommand::Kind::kIdentify, "identify", "Prints the printer's family and model."},
        {CliCommand::Kind::kRead, "read", "Reads the printer's settings as a profile."},
        {CliCommand::Kind::kApply, "apply",
         "Writes a profile to each printer in turn and reads it back."},
        {CliCommand::Kind::kRestore, "restore",
         "Writes each printer's newest backup, found by its MAC address, as apply would."},
        {CliCommand::Kind::kPorts, "ports", "Lists the ports where a printer may be."},
    };
    std::vector<std::pair<CLI::App*, CliCommand::Kind>> commands;
    for (const auto& k : kinds) {
        CLI::App* sub = app.add_subcommand(k.name, k.description);
        commands.emplace_back(sub, k.kind);
        const bool listing = k.kind == CliCommand::Kind::kPorts;
        auto* port =
            sub->add_option("--port", command->ports,
                            listing ? "Also a port the system does not list, e.g. a pseudo-terminal"
                            : comPorts ? "Serial port, COM1 to COM20"
                                       : "Serial device or /dev/usb/lpN");
        const bool writes =
            k.kind == CliCommand::Kind::kApply || k.kind == CliCommand::Kind::kRestore;
        if (!writes && !listing)
            port->expected(1);
        // ports lists USB printers anyway.
        if (!listing) {
            CLI::Option* usbFlag = sub->add_flag(
                "--usb", usb, "The first printer on USB of an accepted maker, in place of --port");
            port->excludes(usbFlag);
        }
        sub->add_option("--baud", baud, "Baud rate")->capture_default_str();
        sub->add_option("--parity", parity, "None, Odd or Even")->capture_default_str();
        sub->add_option("--data", dataBits, "Data bits")->capture_default_str();
        sub->add_option("--stop", stopBits, "Stop bits")->capture_default_str();
        if (listing) {
            sub->add_flag("--identify", command->identify,
                          "Asks each serial port at once which printer answers; writes nothing");
            sub->add_flag("--json", command->json, "A JSON object per port, one a line");
            continue;
        }
        sub->add_option("--trace", command->trace, "Appends the protocol trace to this file");
        sub->add_flag("--yes", command->yes, "Answers the printer page's questions with Yes");
        if (k.kind == CliCommand::Kind::kRead)
            sub->add_option("--out", command->out, "Writes the settings to this profile file");
        if (k.kind != CliCommand::Kind::kIdentify)
            sub->add_flag("--json", command->json,
                          "Results as JSON objects, one a line, on standard output");
        if (k.kind == CliCommand::Kind::kApply)
            AddFleetOptions(sub, command);
        if (k.kind == CliCommand::Kind::kRestore) {
            sub->add_option("folder", command->restoreDir, "The folder of backups apply made")
                ->required();
            AddWriteOptions(sub, command->fleet);
        }
    }
    // CLI11 would only say that a command is required.
    if (argc > 1 && argv[1][0] != '-' &&
        std::none_of(commands.begin(), commands.end(),
                     [&](const auto& c) { return c.first->get_name() == argv[1]; })) {
        *message = std::string("zephra-cli: unknown command ") + argv[1];
        return kExitUsage;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0) {
            // --help, for the program or for a command.
            std::ostringstream help, ignored;
            app.exit(e, help, ignored);
            *message = help.str();
            if (!message->empty() && message->back() == '\n')
                message->pop_back();
            return kExitOk;
        }
        *message = std::string("zephra-cli: ") + e.what();
        return kExitUsage;
    }
    const struct {
        const char* option;
        int id;
        const std::string& value;
        int* index;
    } choices[] = {
        {"--baud", IDC_COMBO_BAUD, baud, &command->link.baud},
        {"--parity", IDC_COMBO_PARITY, parity, &command->link.parity},
        {"--data", IDC_COMBO_DATABIT, dataBits, &command->link.dataBits},
        {"--stop", IDC_COMBO_STOPBIT, stopBits, &command->link.stopBits},
    };
    for (const auto& choice : choices) {
        *choice.index = ChoiceIndex(choice.id, choice.value);
        if (*choice.index < 0) {
            *message = std::string("zephra-cli: ") + choice.option + " " + choice.value +
                       " is not one of " + Choices(choice.id);
            return kExitUsage;
        }
    }
    for (const auto& c : commands) {
        if (c.first->parsed())
            command->kind = c.second;
    }
    if (!usb && command->ports.empty() && command->kind != CliCommand::Kind::kPorts) {
        *message = "zephra-cli: --port or --usb is required";
        return kExitUsage;
    }
    for (std::string& port : command->ports) {
        port = PortName(port, naming, message);
        if (port.empty())
            return kExitUsage;
    }
    if (usb)
        command->ports = {"USB"};
    command->link.usb = usb;
    if (!command->ports.empty())
        command->link.port = command->ports.front();
    if (command->kind == CliCommand::Kind::kApply || command->kind == CliCommand::Kind::kRestore) {
        const FleetOptions& fleet = command->fleet;
        if (fleet.watch && command->ports.size() > 1)
            *message = "zephra-cli: --watch serves one port; it was given " +
                       std::to_string(command->ports.size());
        else if (fleet.allowUnlisted && fleet.inventory.empty())
            *message = "zephra-cli: --allow-unlisted needs --inventory";
        else if (!fleet.address.empty() && fleet.verify == 0)
            *message = "zephra-cli: --address needs --verify";
        else if (!fleet.address.empty() && (command->ports.size() > 1 || fleet.watch))
            *message = "zephra-cli: --address is for one printer";
        else if (!fleet.address.empty() && !IsIpv4(fleet.address))
            *message = "zephra-cli: --address " + fleet.address + " is not an IPv4 address";
        if (!message->empty())
            return kExitUsage;
    }
    return -1;
}
