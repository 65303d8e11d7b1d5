// The options Zephra.exe takes on its command line.
#include "app/command_line.h"

namespace {

constexpr char kVerify[] = "--verify";

// SECONDS of --verify=SECONDS: as the settings dialog takes it, or -1.
int VerifySeconds(const std::string& text) {
    if (text.empty() || text.size() > 4 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    const unsigned seconds = static_cast<unsigned>(std::stoul(text));
    return seconds >= kMinVerifySeconds && seconds <= kMaxVerifySeconds ? static_cast<int>(seconds)
                                                                        : -1;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--trace-keys") {
            options.traceKeys = true;
        } else if (arg == "--trace" && i + 1 < args.size()) {
            options.traceFile = args[++i];
        } else if (arg == "--backup-dir" && i + 1 < args.size()) {
            options.backupDir = args[++i];
        } else if (arg == "--no-backup") {
            options.noBackup = true;
        } else if (arg == kVerify) {
            options.verify = static_cast<int>(ProvisionSettings().verifySeconds);
        } else if (arg.rfind(std::string(kVerify) + "=", 0) == 0) {
            options.verify = VerifySeconds(arg.substr(sizeof kVerify));
            if (options.verify < 0)
                options.error = "--verify takes " + std::to_string(kMinVerifySeconds) + " to " +
                                std::to_string(kMaxVerifySeconds) + " seconds, not \"" +
                                arg.substr(sizeof kVerify) + "\".";
        }
    }
    return options;
}

ProvisionSettings WithCommandLine(ProvisionSettings settings, const CommandLine& options) {
    if (!options.backupDir.empty()) {
        settings.backups = true;
        settings.backupDir = options.backupDir;
    }
    if (options.noBackup)
        settings.backups = false;
    if (options.verify > 0) {
        settings.verify = true;
        settings.verifySeconds = static_cast<unsigned>(options.verify);
    }
    return settings;
}
