// Runs zephra-cli as the operator would, with its standard output and error kept apart.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

struct CliRun {
    int status;
    std::string out, err;
};

inline std::string ReadText(const std::string& path) {
    std::ifstream file(path);
    return std::string{std::istreambuf_iterator<char>(file), {}};
}

// A file of the test's own, named by the test process: ctest may run tests in parallel processes.
inline std::string TestFile(const std::string& name) {
    return ::testing::TempDir() + "zephra-cli-" + std::to_string(::getpid()) + "-" + name;
}

// The shell command that runs zephra-cli with args, its output going to files named for what.
inline std::string CliCommandLine(const std::string& args, const std::string& what) {
    return std::string(ZEPHRA_CLI_PATH) + " " + args + " >" + TestFile(what + ".out") + " 2>" +
           TestFile(what + ".err") + " </dev/null";
}

inline CliRun Cli(const std::string& args) {
    const int status = std::system(CliCommandLine(args, "run").c_str());
    return CliRun{WEXITSTATUS(status), ReadText(TestFile("run.out")),
                  ReadText(TestFile("run.err"))};
}
