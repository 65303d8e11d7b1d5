// What apply says of each printer and of the whole run: a line for the operator, or a JSON object
// for a program, and the run's exit status.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "page_shared/profile.h"
#include "provision/printer_network.h"

// One setting the profile changes, or a key it holds, which shows only as changing or not; or a
// setting the profile holds that the printer keeps as it is, and why.
struct SettingChange {
    std::string setting;
    nlohmann::json from, to;  // null for a key
    bool key = false;
    bool changed = true;  // a key the profile holds may leave the printer's as it is
    std::string skipped;  // why the profile's value is not applied; "" for a change
};

// The settings that differ between two profiles of the family, in the family's order; a key is
// listed changed or not, never with its text.
std::vector<SettingChange> SettingChanges(const profile::Family& family, const std::string& had,
                                          const std::string& wanted);
// Whether any setting changes.
bool AnyChange(const std::vector<SettingChange>& changes);
// Whether any setting the profile holds is not applied.
bool AnySkipped(const std::vector<SettingChange>& changes);

struct PrinterReport {
    std::string port, family, model, mac, version;
    // applied, unchanged, would-change, refused, failed or stopped
    std::string result = "failed";
    std::vector<SettingChange> changes;
    std::string message;  // why it was refused, failed or stopped
    std::string backup;   // the file its settings were kept in before the write; "" for none
    // restore: the backup it took, and that file's SHA-256 in hexadecimal; "" for apply.
    std::string restoredFrom, profileSha256;
    NetworkResult network;  // with --verify
    double seconds = 0;
    int status = 1;  // the exit status this printer alone would give
};

// The printer as a JSON object on one line.
nlohmann::json ReportJson(const PrinterReport& report);
// The report a JSON object gives; false when it is not one.
bool ReportFromJson(const nlohmann::json& object, PrinterReport* report);
// The printer's line, "port family result[: message]", then a line per setting skipped, and per
// change when asked.
std::string ReportText(const PrinterReport& report, bool withChanges);

// The run as a whole.
class CRunSummary {
  public:
    void Add(const PrinterReport& report);
    std::string Text() const;
    nlohmann::json Json() const;
    // The highest failure's status (a printer unreachable, 4, included) before "something would
    // change" (3) before success (0).
    int Status() const;

  private:
    std::vector<std::string> results_;
    size_t unreachable_ = 0;
    int status_ = 0;
    bool wouldChange_ = false;
};
