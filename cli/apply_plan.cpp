// What apply writes to each printer, checked before any port is opened.
#include "cli/apply_plan.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <system_error>

#include "cli/cli_platform.h"
#include "page_current/page1_layout.h"
#include "page_current/page1_profile.h"
#include "page_legacy/page2_layout.h"
#include "page_legacy/page2_profile.h"
#include "page_module/page3_layout.h"
#include "page_module/page3_profile.h"
#include "page_shared/text_file.h"
#include "provision/printer_backup.h"

namespace {

using nlohmann::json;

// Inventories and key files are small; anything bigger is not one.
constexpr size_t kMaxFileBytes = 16 << 20;

struct FamilyPage {
    const profile::Family& family;
    const ui::DialogDesc& desc;
};

FamilyPage PageOf(const std::string& name) {
    if (name == "legacy")
        return {page2::ProfileFamily(), page2::Page2Desc()};
    if (name == "module")
        return {page3::ProfileFamily(), page3::Page3Desc()};
    return {page1::ProfileFamily(), page1::Page1Desc()};
}

// A key as secret stores hand it out: the key alone, perhaps with a line end after it.
std::string KeyText(const std::string& source, std::string text, std::string* key) {
    if (text.size() >= 1 && text.back() == '\n')
        text.pop_back();
    if (text.size() >= 1 && text.back() == '\r')
        text.pop_back();
    if (text.empty())
        return source + " holds no key";
    if (text.find_first_of("\r\n") != std::string::npos)
        return source + " holds more than one line";
    *key = std::move(text);
    return std::string();
}

}  // namespace

std::string CApplyPlan::ReadKey(const FleetOptions& fleet) {
    std::string text;
    if (!fleet.keyEnv.empty()) {
        if (!EnvironmentValue(fleet.keyEnv, &text))
            return "--key-env " + fleet.keyEnv + ": the variable is not set";
        return KeyText("--key-env " + fleet.keyEnv, text, &key_);
    }
    if (!fleet.keyFile.empty()) {
        if (!ReadTextFile(fleet.keyFile, &text))
            return "--key-file " + fleet.keyFile + ": cannot read it";
        if (text.size() > kMaxFileBytes)
            return "--key-file " + fleet.keyFile + " is not a key file";
        return KeyText("--key-file " + fleet.keyFile, text, &key_);
    }
    return KeyText("--key-stdin: standard input", ReadStandardInput(), &key_);
}

std::string CApplyPlan::Prepare(const CliCommand& command) {
    const FleetOptions& fleet = command.fleet;
    if (command.kind == CliCommand::Kind::kRestore) {
        restoreDir_ = command.restoreDir;
        std::error_code error;
        if (!std::filesystem::is_directory(std::filesystem::u8path(restoreDir_), error))
            return restoreDir_ + " is not a folder";
        return std::string();
    }
    std::string text;
    if (!ReadTextFile(command.profile, &text))
        return "cannot read " + command.profile;
    std::string refusal = profile::ReadProfileFamily(text, &familyName_);
    if (!refusal.empty())
        return command.profile + ": " + refusal;
    digest_ = Sha256Hex(text);
    const FamilyPage page = PageOf(familyName_);
    hasKey_ = !fleet.keyEnv.empty() || !fleet.keyFile.empty() || fleet.keyStdin;
    if (hasKey_) {
        refusal = ReadKey(fleet);
        if (!refusal.empty())
            return refusal;
        const std::string setting = profile::KeySetting(page.family, text);
        if (setting.empty())
            return command.profile + ": its security takes no key";
        json file = json::parse(text);
        file["settings"].erase("key_left_out");
        file["settings"][setting] = key_;
        try {
            text = file.dump(2) + "\n";
        } catch (const json::type_error&) {
            return "the key is not UTF-8 text";
        }
    }
    // A key is checked where it will be written, with the profile's own rules.
    refusal = profile::CheckProfile(page.desc, page.family, text);
    if (!refusal.empty())
        return command.profile + ": " + refusal;
    profile_ = text;
    allowUnlisted_ = fleet.allowUnlisted;
    inventory_ = !fleet.inventory.empty();
    if (!inventory_)
        return std::string();
    std::string rows;
    if (!ReadTextFile(fleet.inventory, &rows))
        return "cannot read the inventory " + fleet.inventory;
    if (rows.size() > kMaxFileBytes)
        return fleet.inventory + " is too big for an inventory";
    refusal = rows_.Parse(fleet.inventory, std::move(rows), page.family, page.desc, profile_);
    // A fleet's own processes are each given one of its ports; the fleet checked them all.
    if (!refusal.empty() || fleet.oneOfFleet)
        return refusal;
    return rows_.CheckPorts(command.link.usb ? std::vector<std::string>() : command.ports);
}

std::string CApplyPlan::ProfileFor(const std::string& family, const std::string& port,
                                   const std::string& mac, std::string* text,
                                   std::string* backup) const {
    if (!restoreDir_.empty())
        return ReadNewestBackup(restoreDir_, mac, PageOf(family).family, PageOf(family).desc,
                                backup, text);
    if (inventory_ && rows_.ProfileFor(port, mac, text))
        return std::string();
    if (inventory_ && !allowUnlisted_) {
        const std::string& printer = rows_.ByPort() ? port : mac;
        return "no inventory row for " +
               (printer.empty() ? std::string("a printer without a MAC address") : printer);
    }
    *text = profile_;
    return std::string();
}

std::string Sha256Hex(const std::string& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char b : Sha256(bytes)) {
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
    }
    return hex;
}

const profile::Family& ProfileFamily(const std::string& name) {
    return PageOf(name).family;
}
