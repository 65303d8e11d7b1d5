// What the operator sees and answers at the terminal while a page works: its message boxes as
// lines, its Yes/No questions, the progress of each exchange and the protocol trace.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/panel_session.h"

// "reading 7/11: SSID": a request of an exchange, its place in the page's plan and what it reads
// or writes.
std::string ProgressLine(const RequestProgress& progress);

class COperatorIo {
  public:
    // Opens the trace file when the command names one; Ok() tells whether it could.
    explicit COperatorIo(const CliCommand& command);
    ~COperatorIo();
    COperatorIo(const COperatorIo&) = delete;
    COperatorIo& operator=(const COperatorIo&) = delete;

    bool Ok() const { return command_.trace.empty() || trace_ != nullptr; }
    // Where results go; lines go out as they come, so a batch shows each printer when it ends.
    void SetResults(FILE* results) { results_ = results; }
    void Result(const std::string& line);
    // A line of results that the next one replaces, such as a wait's elapsed seconds; shown only
    // where results go to a terminal, and never with --json. "" takes the line away.
    void Transient(const std::string& line);
    void Error(const std::string& line);
    SessionHooks Hooks();
    // Asks a Yes/No question: Yes with --yes; otherwise at the terminal, or No without one.
    bool AskYes(const std::string& question);

  private:
    const CliCommand& command_;
    FILE* trace_ = nullptr;
    FILE* results_ = stdout;
    size_t transientWidth_ = 0;  // the transient line shown, 0 for none
};
