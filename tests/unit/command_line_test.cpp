// Zephra.exe's command-line options.
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, TraceFileAndKeys) {
    const struct {
        std::vector<std::string> args;
        const char* traceFile;
        bool traceKeys;
    } cases[] = {
        {{}, "", false},
        {{"--trace", "C:\\logs\\zephra trace.txt"}, "C:\\logs\\zephra trace.txt", false},
        {{"--trace-keys", "--trace", "t.log"}, "t.log", true},
        {{"--trace"}, "", false},  // no file named: no trace file
        {{"/unknown", "--trace-keys"}, "", true},
    };
    for (const auto& c : cases) {
        const CommandLine options = ParseCommandLine(c.args);
        EXPECT_EQ(options.traceFile, c.traceFile);
        EXPECT_EQ(options.traceKeys, c.traceKeys);
    }
}

}  // namespace
