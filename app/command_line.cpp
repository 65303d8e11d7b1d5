// The options Zephra.exe takes on its command line.
#include "app/command_line.h"

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine options;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--trace-keys") {
            options.traceKeys = true;
        } else if (args[i] == "--trace" && i + 1 < args.size()) {
            options.traceFile = args[++i];
        }
    }
    return options;
}
