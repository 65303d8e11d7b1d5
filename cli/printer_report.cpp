// What apply says of each printer and of the whole run.
#include "cli/printer_report.h"

#include <algorithm>
#include <cstdio>

namespace {

using nlohmann::json;

constexpr const char* kResults[] = {"applied", "unchanged", "would-change",
                                    "refused", "failed",    "stopped"};

json Settings(const std::string& profileText) {
    return json::parse(profileText, nullptr, false).value("settings", json::object());
}

std::string Shown(const json& value) {
    return value.is_null() ? "(none)" : value.dump(-1, ' ', true, json::error_handler_t::replace);
}

}  // namespace

std::vector<SettingChange> SettingChanges(const profile::Family& family, const std::string& had,
                                          const std::string& wanted) {
    const json before = Settings(had), after = Settings(wanted);
    std::vector<SettingChange> changes;
    for (const profile::Field& field : family.fields) {
        const json from = before.value(field.name, json()), to = after.value(field.name, json());
        if (to.is_null())
            continue;
        if (field.key)
            changes.push_back({field.name, json(), json(), true, from != to, ""});
        else if (from != to)
            changes.push_back({field.name, from, to, false, true, ""});
    }
    return changes;
}

bool AnyChange(const std::vector<SettingChange>& changes) {
    return std::any_of(changes.begin(), changes.end(),
                       [](const SettingChange& c) { return c.changed; });
}

bool AnySkipped(const std::vector<SettingChange>& changes) {
    return std::any_of(changes.begin(), changes.end(),
                       [](const SettingChange& c) { return !c.skipped.empty(); });
}

json ReportJson(const PrinterReport& report) {
    json changes = json::array();
    for (const SettingChange& c : report.changes) {
        json change = {{"setting", c.setting}};
        if (!c.skipped.empty())
            change["skipped"] = c.skipped;
        else if (c.key)
            change["key"] = c.changed ? "changes" : "unchanged";
        else
            change.update({{"from", c.from}, {"to", c.to}});
        changes.push_back(std::move(change));
    }
    json object = {{"port", report.port},       {"family", report.family},
                   {"model", report.model},     {"mac", report.mac},
                   {"version", report.version}, {"result", report.result},
                   {"changes", changes},        {"message", report.message},
                   {"seconds", report.seconds}, {"status", report.status}};
    if (!report.backup.empty())
        object["backup"] = report.backup;
    if (!report.restoredFrom.empty())
        object.update(
            {{"restored_from", report.restoredFrom}, {"profile_sha256", report.profileSha256}});
    if (!report.network.state.empty())
        object["network"] = NetworkJson(report.network);
    return object;
}

bool ReportFromJson(const json& object, PrinterReport* report) {
    try {
        PrinterReport r;
        for (auto [name, field] : {std::pair{"port", &r.port},
                                   {"family", &r.family},
                                   {"model", &r.model},
                                   {"mac", &r.mac},
                                   {"version", &r.version},
                                   {"result", &r.result},
                                   {"message", &r.message}})
            *field = object.at(name).get<std::string>();
        r.backup = object.value("backup", std::string());
        r.restoredFrom = object.value("restored_from", std::string());
        r.profileSha256 = object.value("profile_sha256", std::string());
        if (object.contains("network") && !NetworkFromJson(object.at("network"), &r.network))
            return false;
        r.seconds = object.at("seconds").get<double>();
        r.status = object.at("status").get<int>();
        for (const json& c : object.at("changes")) {
            const bool key = c.contains("key"), skipped = c.contains("skipped");
            r.changes.push_back({c.at("setting").get<std::string>(), c.value("from", json()),
                                 c.value("to", json()), key,
                                 !skipped && (!key || c.at("key") == "changes"),
                                 skipped ? c.at("skipped").get<std::string>() : ""});
        }
        if (std::find(std::begin(kResults), std::end(kResults), r.result) == std::end(kResults))
            return false;
        *report = std::move(r);
        return true;
    } catch (const json::exception&) {
        return false;
    }
}

std::string ReportText(const PrinterReport& report, bool withChanges) {
    std::string text =
        report.port + " " + (report.family.empty() ? "-" : report.family) + " " + report.result;
    if (!report.message.empty())
        text += ": " + report.message;
    if (!report.restoredFrom.empty())
        text += "\n  restored from: " + report.restoredFrom;
    if (!report.backup.empty())
        text += "\n  backup: " + report.backup;
    if (!report.network.state.empty())
        text += "\n  " + NetworkText(report.network);
    // A setting left as the printer has it is told on every run: it is not what the profile says.
    for (const SettingChange& c : report.changes) {
        if (!withChanges && c.skipped.empty())
            continue;
        text += "\n  " + c.setting + ": ";
        if (!c.skipped.empty())
            text += "skipped, " + c.skipped;
        else
            text += c.key ? (c.changed ? "changes" : "unchanged")
                          : Shown(c.from) + " -> " + Shown(c.to);
    }
    return text;
}

void CRunSummary::Add(const PrinterReport& report) {
    results_.push_back(report.result);
    if (report.network.state == "unreachable")
        ++unreachable_;
    if (report.status == kExitWouldChange)
        wouldChange_ = true;
    else
        status_ = std::max(status_, report.status);
}

std::string CRunSummary::Text() const {
    const auto count = [this](const char* result) {
        return std::count(results_.begin(), results_.end(), result);
    };
    std::string text = std::to_string(count("applied")) + " of " + std::to_string(results_.size()) +
                       " printers applied";
    for (const char* result : kResults) {
        if (result != kResults[0] && count(result) > 0)
            text += ", " + std::to_string(count(result)) + " " + result;
    }
    if (unreachable_ > 0)
        text += ", " + std::to_string(unreachable_) + " unreachable";
    return text;
}

json CRunSummary::Json() const {
    json counts = json::object();
    for (const char* result : kResults)
        counts[result] = std::count(results_.begin(), results_.end(), result);
    counts["unreachable"] = unreachable_;
    return {{"summary", counts}, {"printers", results_.size()}, {"status", Status()}};
}

int CRunSummary::Status() const {
    return status_ == 0 && wouldChange_ ? kExitWouldChange : status_;
}
