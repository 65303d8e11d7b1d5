// zephra-cli's command line: the commands, their options, and how they are checked.
#include "cli/cli_options.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <sstream>

#include "app/main_dialog_layout.h"

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The index of text in the panel's list for control id, ignoring case; -1 when it has none.
int ChoiceIndex(int id, const std::string& text) {
    for (const ui::ControlDesc& c : MainDialogDesc().controls) {
        if (c.id != id)
            continue;
        for (size_t i = 0; i < c.items.size(); ++i) {
            if (Lower(c.items[i]) == Lower(text))
                return static_cast<int>(i);
        }
    }
    return -1;
}

// The panel's choices, for the error that names a value it does not offer.
std::string Choices(int id) {
    std::string list;
    for (const ui::ControlDesc& c : MainDialogDesc().controls) {
        if (c.id != id)
            continue;
        for (const std::string& item : c.items)
            list += (list.empty() ? "" : ", ") + item;
    }
    return list;
}

}  // namespace

int ParseCli(int argc, const char* const* argv, CliCommand* command, std::string* message) {
    CLI::App app{"Sets up the WLAN interface of printers over a serial port.", "zephra-cli"};
    app.require_subcommand(1);
    std::string baud = "57600", parity = "None", dataBits = "8", stopBits = "1";
    const struct {
        CliCommand::Kind kind;
        const char* name;
        const char* description;
    } kinds[] = {
        {CliCommand::Kind::kIdentify, "identify", "Prints the printer's family and model."},
        {CliCommand::Kind::kRead, "read", "Reads the printer's settings as a profile."},
        {CliCommand::Kind::kApply, "apply",
         "Writes a profile to each printer in turn and reads it back."},
    };
    std::vector<std::pair<CLI::App*, CliCommand::Kind>> commands;
    for (const auto& k : kinds) {
        CLI::App* sub = app.add_subcommand(k.name, k.description);
        commands.emplace_back(sub, k.kind);
        auto* port = sub->add_option("--port", command->ports, "Serial device, e.g. /dev/ttyUSB0");
        port->required();
        if (k.kind != CliCommand::Kind::kApply)
            port->expected(1);
        sub->add_option("--baud", baud, "Baud rate")->capture_default_str();
        sub->add_option("--parity", parity, "None, Odd or Even")->capture_default_str();
        sub->add_option("--data", dataBits, "Data bits")->capture_default_str();
        sub->add_option("--stop", stopBits, "Stop bits")->capture_default_str();
        sub->add_option("--trace", command->trace, "Appends the protocol trace to this file");
        sub->add_flag("--yes", command->yes, "Answers the printer page's questions with Yes");
        if (k.kind == CliCommand::Kind::kRead)
            sub->add_option("--out", command->out, "Writes the settings to this profile file");
        if (k.kind == CliCommand::Kind::kApply)
            sub->add_option("profile", command->profile, "The profile to write")->required();
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
    for (const std::string& port : command->ports) {
        if (port.empty()) {
            *message = "zephra-cli: --port is empty";
            return kExitUsage;
        }
    }
    for (const auto& c : commands) {
        if (c.first->parsed())
            command->kind = c.second;
    }
    command->link.port = command->ports.front();
    return -1;
}
