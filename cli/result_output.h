// Where apply's results go: a line per printer for the operator or a JSON object per printer for
// a program, the same objects appended to a log, and the summary last.
#pragma once

#include <cstdio>
#include <string>

#include "cli/operator_io.h"
#include "cli/printer_report.h"

class CResultOutput {
  public:
    CResultOutput(const CliCommand& command, COperatorIo& io, std::string profileDigest);
    ~CResultOutput();
    CResultOutput(const CResultOutput&) = delete;
    CResultOutput& operator=(const CResultOutput&) = delete;

    // Opens the log the options name: "" or why it cannot be.
    std::string OpenLog();
    void Printer(const PrinterReport& report);
    // Gives the summary; returns the run's exit status.
    int Finish();

  private:
    void Log(nlohmann::json object);

    const CliCommand& command_;
    COperatorIo& io_;
    std::string digest_;
    FILE* log_ = nullptr;
    CRunSummary summary_;
};
