// "Backups and network check...": the window's backups and its network check, as the operator
// chooses them.
#include "app/provision_settings_dlg.h"

#include <filesystem>
#include <system_error>

#include "app/provision_settings_layout.h"
#include "ui/backend.h"

using namespace provisionsettings;

CProvisionSettingsDlg::CProvisionSettingsDlg(const ProvisionSettings& settings,
                                             const std::string& defaultBackupDir)
    : ui::CDialog(ProvisionSettingsDesc()),
      settings_(settings),
      defaultBackupDir_(defaultBackupDir) {}

bool CProvisionSettingsDlg::OnInitDialog() {
    SetCheck(IDC_SET_BACKUPS, settings_.backups ? 1 : 0);
    SetItemText(IDC_SET_FOLDER, settings_.backupDir);
    SetItemText(IDC_SET_FOLDER_HINT, "Left empty: " + defaultBackupDir_);
    SetCheck(IDC_SET_VERIFY, settings_.verify ? 1 : 0);
    SetItemText(IDC_SET_SECONDS, std::to_string(settings_.verifySeconds));
    EnableChoices();
    return true;
}

void CProvisionSettingsDlg::EnableChoices() {
    EnableItem(IDC_SET_FOLDER, GetCheck(IDC_SET_BACKUPS) != 0);
    EnableItem(IDC_SET_SECONDS, GetCheck(IDC_SET_VERIFY) != 0);
}

void CProvisionSettingsDlg::OnCommand(int id, int code) {
    if (code == ui::kBnClicked && (id == IDC_SET_BACKUPS || id == IDC_SET_VERIFY))
        return EnableChoices();
    ui::CDialog::OnCommand(id, code);
}

void CProvisionSettingsDlg::OnOK() {
    const std::string seconds = GetItemText(IDC_SET_SECONDS);
    const bool number = !seconds.empty() && seconds.size() <= 4 &&
                        seconds.find_first_not_of("0123456789") == std::string::npos;
    const unsigned value = number ? static_cast<unsigned>(std::stoul(seconds)) : 0;
    if (value < kMinVerifySeconds || value > kMaxVerifySeconds) {
        ui::AfxMessageBox("Enter a wait of " + std::to_string(kMinVerifySeconds) + " to " +
                          std::to_string(kMaxVerifySeconds) + " seconds.");
        return GotoDlgCtrl(IDC_SET_SECONDS);
    }
    const std::string folder = GetItemText(IDC_SET_FOLDER);
    std::error_code error;
    if (!folder.empty() && !std::filesystem::is_directory(std::filesystem::u8path(folder), error)) {
        ui::AfxMessageBox("The folder " + folder + " does not exist.");
        return GotoDlgCtrl(IDC_SET_FOLDER);
    }
    settings_.backups = GetCheck(IDC_SET_BACKUPS) != 0;
    settings_.backupDir = folder;
    settings_.verify = GetCheck(IDC_SET_VERIFY) != 0;
    settings_.verifySeconds = value;
    EndDialog(ui::kIdOk);
}
