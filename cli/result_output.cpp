// Where apply's results go.
#include "cli/result_output.h"

#include <chrono>
#include <ctime>

#include "page_shared/text_file_platform.h"

namespace {

// Now in UTC, as ISO 8601 to the second.
std::string UtcNow() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    // Results are given on one thread only.
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", std::gmtime(&now));
    return text;
}

}  // namespace

CResultOutput::CResultOutput(const CliCommand& command, COperatorIo& io, std::string profileDigest)
    : command_(command), io_(io), digest_(std::move(profileDigest)) {}

CResultOutput::~CResultOutput() {
    if (log_ != nullptr)
        std::fclose(log_);
}

std::string CResultOutput::OpenLog() {
    if (command_.fleet.log.empty())
        return std::string();
    log_ = OpenFileByPath(command_.fleet.log, "ab");
    return log_ == nullptr ? "cannot open the log " + command_.fleet.log : std::string();
}

void CResultOutput::Printer(const PrinterReport& report) {
    summary_.Add(report);
    const nlohmann::json object = ReportJson(report);
    io_.Result(command_.json ? object.dump(-1, ' ', true, nlohmann::json::error_handler_t::replace)
                             : ReportText(report, command_.fleet.check));
    Log(object);
}

int CResultOutput::Finish() {
    const nlohmann::json object = summary_.Json();
    io_.Result(command_.json ? object.dump() : summary_.Text());
    Log(object);
    return summary_.Status();
}

void CResultOutput::Log(nlohmann::json object) {
    if (log_ == nullptr)
        return;
    object["time"] = UtcNow();
    // A restore's printer names the digest of its own backup.
    if (!object.contains("profile_sha256"))
        object["profile_sha256"] = digest_;
    std::fputs(
        (object.dump(-1, ' ', true, nlohmann::json::error_handler_t::replace) + "\n").c_str(),
        log_);
    std::fflush(log_);
}
