// What the window does around a page's save: the backup before it, the restore from the same
// folder, and the network check after it.
#include "app/window_save_guard.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <system_error>
#include <utility>

#include "app/network_check_dlg.h"
#include "app/provision_settings_dlg.h"
#include "provision/printer_backup.h"

using nlohmann::json;

CWindowSaveGuard::CWindowSaveGuard(CPanel& panel, ui::CDialog& window, WindowProvision provision)
    : panel_(panel), window_(window), provision_(std::move(provision)) {}

std::string CWindowSaveGuard::BackupDir() const {
    return provision_.settings.backupDir.empty() ? provision_.defaultBackupDir
                                                 : provision_.settings.backupDir;
}

void CWindowSaveGuard::OnSaveClicked() {
    saveClicked_ = std::chrono::steady_clock::now();
}

std::string CWindowSaveGuard::KeepBackup(const std::string& mac, const std::string& profileText) {
    if (!provision_.settings.backups)
        return std::string();
    const std::string dir = BackupDir();
    // The per-user folder is made at the first backup, so nothing is left on a PC that never
    // saved; a folder the operator chose must be there already.
    if (provision_.settings.backupDir.empty()) {
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::u8path(dir), error);
    }
    std::string path;
    const std::string why = WriteBackup(dir, mac, profileText, &path);
    if (why.empty())
        panel_.NoteInTrace("Backup: " + path);
    return why;
}

std::string CWindowSaveGuard::NewestBackup(const profile::Family& family,
                                           const ui::DialogDesc& desc, const std::string& mac,
                                           std::string* path, std::string* when,
                                           std::string* text) {
    std::string why = ReadNewestBackup(BackupDir(), mac, family, desc, path, text);
    if (!why.empty()) {
        why[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(why[0])));
        return why + ".";
    }
    *when = BackupTime(*path);
    return std::string();
}

void CWindowSaveGuard::OnSaveEnded(bool saved, const profile::Family& family,
                                   const std::string& mac, const std::string& profileText) {
    if (!saved || !provision_.settings.verify || profileText.empty())
        return;
    due_ = {family.name, mac, profileText, saveClicked_};
    window_.Post({kNetworkCheckDue, 0, {}});
}

void CWindowSaveGuard::RunDueCheck() {
    const DueCheck due = std::move(due_);
    due_ = DueCheck();
    const json file = json::parse(due.settings, nullptr, false);
    if (due.family.empty() || !file.is_object() || !file.contains("settings"))
        return;
    const json& settings = file["settings"];
    const NetworkTarget target = TargetOf(due.family, settings, settings, due.mac, "", "");
    const bool dhcp = settings.value("wlan_mode", std::string()).rfind("Infrastructure", 0) == 0 &&
                      settings.value("dhcp", true) && target.port != 0;
    CNetworkCheckDlg check(target, provision_.probes,
                           std::chrono::seconds(provision_.settings.verifySeconds), due.since,
                           due.mac, dhcp);
    check.DoModal();
    if (!check.Result().state.empty())
        panel_.NoteInTrace("Network check: " + NetworkText(check.Result()));
}

void CWindowSaveGuard::EditSettings() {
    CProvisionSettingsDlg dialog(provision_.settings, provision_.defaultBackupDir);
    if (dialog.DoModal() != ui::kIdOk)
        return;
    provision_.settings = dialog.Chosen();
    if (provision_.store)
        provision_.store(provision_.settings);
}
