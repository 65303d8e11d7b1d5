// zephra-cli: the utility's printer pages from the command line.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "cli/cli_options.h"
#include "cli/identify_command.h"

int main(int argc, char** argv) {
    CliCommand command;
    std::string message;
    const int parsed = ParseCli(argc, argv, &command, &message);
    if (parsed >= 0) {
        std::fputs((message + "\n").c_str(), parsed == kExitOk ? stdout : stderr);
        return parsed;
    }
    // The panel prints its own diagnostics to standard output, which here carries only results:
    // they go to standard error instead.
    std::fflush(stdout);
    const int resultsFd = dup(STDOUT_FILENO);
    FILE* results = resultsFd < 0 ? nullptr : fdopen(resultsFd, "w");
    if (results == nullptr || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        std::perror("zephra-cli");
        return kExitPrinterFault;
    }
    const CommandOutcome outcome = RunIdentify(command.link);
    std::fflush(stdout);
    for (const std::string& line : outcome.errors)
        std::fprintf(stderr, "%s\n", line.c_str());
    if (!outcome.result.empty())
        std::fprintf(results, "%s\n", outcome.result.c_str());
    std::fclose(results);
    return outcome.status;
}
