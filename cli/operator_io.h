// What the operator sees and answers at the terminal while a page works: its message boxes as
// lines, its Yes/No questions, the progress of each exchange and the protocol trace.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/panel_session.h"

// "R 20", "W 1F": how a progress line names a request, from the first bytes of its frame (never
// far enough to reach a key).
std::string RequestLabel(const std::vector<uint8_t>& head);

class COperatorIo {
  public:
    // Opens the trace file when the command names one; Ok() tells whether it could.
    explicit COperatorIo(const CliCommand& command);
    ~COperatorIo();
    COperatorIo(const COperatorIo&) = delete;
    COperatorIo& operator=(const COperatorIo&) = delete;

    bool Ok() const { return command_.trace.empty() || trace_ != nullptr; }
    SessionHooks Hooks();
    // Asks a Yes/No question: Yes with --yes; otherwise at the terminal, or No without one.
    bool AskYes(const std::string& question);

  private:
    const CliCommand& command_;
    FILE* trace_ = nullptr;
};
