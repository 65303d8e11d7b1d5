// Runs zephra-cli as the operator would, with its standard output and error kept apart.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

// The shell command that runs zephra-cli with args, its output going to files named for what;
// wrapper, when given, is the command that runs it (ip netns exec NAME).
inline std::string CliCommandLine(const std::string& args, const std::string& what,
                                  const std::string& wrapper = std::string()) {
    return wrapper + " " + ZEPHRA_CLI_PATH + " " + args + " >" + TestFile(what + ".out") + " 2>" +
           TestFile(what + ".err") + " </dev/null";
}

inline CliRun Cli(const std::string& args, const std::string& wrapper = std::string()) {
    const int status = std::system(CliCommandLine(args, "run", wrapper).c_str());
    return CliRun{WEXITSTATUS(status), ReadText(TestFile("run.out")),
                  ReadText(TestFile("run.err"))};
}

// Starts zephra-cli with args without waiting for it, its output going to files named for what.
inline pid_t StartCli(const std::string& args, const std::string& what) {
    // A file a process of the same number left in the temporary folder must not pass for the
    // output of this one before the shell has made it anew.
    std::remove(TestFile(what + ".out").c_str());
    std::remove(TestFile(what + ".err").c_str());
    const std::string command = "exec " + CliCommandLine(args, what);
    const pid_t cli = fork();
    if (cli == 0) {
        execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
        _exit(127);
    }
    return cli;
}

// How long a wait for zephra-cli's output may take: what it waits for comes within a second or two,
// so this only catches a hang, and says what it waited for.
constexpr int kAwaitSeconds = 60;

// Waits for text to show in what's standard error.
inline void AwaitError(const std::string& what, const std::string& text) {
    for (int wait = 0; wait < kAwaitSeconds * 50; ++wait) {
        if (ReadText(TestFile(what + ".err")).find(text) != std::string::npos)
            return;
        usleep(20000);
    }
    ADD_FAILURE() << "waited " << kAwaitSeconds << " s for \"" << text << "\" in " << what
                  << "'s standard error, which holds:\n"
                  << ReadText(TestFile(what + ".err"));
}

// Waits for what's standard output to hold count lines.
inline void AwaitLines(const std::string& what, size_t count) {
    for (int wait = 0; wait < kAwaitSeconds * 50; ++wait) {
        const std::string out = ReadText(TestFile(what + ".out"));
        if (static_cast<size_t>(std::count(out.begin(), out.end(), '\n')) >= count)
            return;
        usleep(20000);
    }
    ADD_FAILURE() << "waited " << kAwaitSeconds << " s for " << count << " lines in " << what
                  << "'s standard output, which holds:\n"
                  << ReadText(TestFile(what + ".out"));
}

// The exit status of a zephra-cli that StartCli started.
inline int CliStatus(pid_t cli) {
    int status = 0;
    waitpid(cli, &status, 0);
    return WEXITSTATUS(status);
}

// While it lives, zephra-cli takes a folder of the test's own for /dev/usb, with links to
// pseudo-terminals standing in for USB printers' nodes.
class UsbNodes {
  public:
    UsbNodes() : dir_(TestFile("usb")) {
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directory(dir_);
        setenv("ZEPHRA_USB_NODE_DIR", dir_.c_str(), 1);
    }
    ~UsbNodes() {
        unsetenv("ZEPHRA_USB_NODE_DIR");
        std::filesystem::remove_all(dir_);
    }
    // A node that zephra-cli opens with its USB link, for the pseudo-terminal at path.
    std::string Add(const std::string& path) {
        const std::string node = dir_ + "/lp" + std::to_string(count_++);
        std::filesystem::create_symlink(path, node);
        return node;
    }

  private:
    std::string dir_;
    unsigned count_ = 0;
};
