// The options Zephra.exe takes on its command line.
#pragma once

#include <string>
#include <vector>

struct CommandLine {
    std::string traceFile;   // --trace FILE: the protocol trace is appended to it as it happens
    bool traceKeys = false;  // --trace-keys: keys show in the trace instead of "**"
};

// args without the program name. Options it does not know are left alone.
CommandLine ParseCommandLine(const std::vector<std::string>& args);
