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

TEST(CommandLine, BackupsAndTheNetworkCheckForThisRun) {
    ProvisionSettings kept;
    kept.backupDir = "D:\\kept";
    const struct {
        std::vector<std::string> args;
        bool backups;
        const char* dir;
        bool verify;
        unsigned seconds;
        const char* error;
    } cases[] = {
        {{}, true, "D:\\kept", false, 60, ""},
        {{"--backup-dir", "C:\\b"}, true, "C:\\b", false, 60, ""},
        {{"--no-backup", "--verify"}, false, "D:\\kept", true, 60, ""},
        {{"--verify=3600"}, true, "D:\\kept", true, 3600, ""},
        {{"--verify=0"},
         true,
         "D:\\kept",
         false,
         60,
         "--verify takes 1 to 3600 seconds, not \"0\"."},
        {{"--verify=3601"},
         true,
         "D:\\kept",
         false,
         60,
         "--verify takes 1 to 3600 seconds, not \"3601\"."},
        {{"--verify=5s"},
         true,
         "D:\\kept",
         false,
         60,
         "--verify takes 1 to 3600 seconds, not \"5s\"."},
    };
    for (const auto& c : cases) {
        const CommandLine options = ParseCommandLine(c.args);
        const ProvisionSettings settings = WithCommandLine(kept, options);
        EXPECT_EQ(settings.backups, c.backups);
        EXPECT_EQ(settings.backupDir, c.dir);
        EXPECT_EQ(settings.verify, c.verify);
        EXPECT_EQ(settings.verifySeconds, c.seconds);
        EXPECT_EQ(options.error, c.error);
    }
}

}  // namespace
