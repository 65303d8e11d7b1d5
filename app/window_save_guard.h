// What the window does around a page's save: a backup of the printer's settings before the first
// byte, "Restore newest backup..." from the same folder, and the network check once the save has
// succeeded.
#pragma once

#include <chrono>
#include <string>

#include "app/window_provision.h"
#include "page_shared/panel.h"
#include "page_shared/save_guard.h"
#include "ui/dialog.h"

class CWindowSaveGuard final : public CSaveGuard {
  public:
    // window: the main dialog, which hears kNetworkCheckDue once a save has succeeded and
    // hands it to RunDueCheck, so the check never opens inside the page's own handling.
    CWindowSaveGuard(CPanel& panel, ui::CDialog& window, WindowProvision provision);

    static constexpr unsigned kNetworkCheckDue = ui::kWmUser + 20;

    void OnSaveClicked() override;
    std::string KeepBackup(const std::string& mac, const std::string& profileText) override;
    std::string NewestBackup(const profile::Family& family, const ui::DialogDesc& desc,
                             const std::string& mac, std::string* path, std::string* when,
                             std::string* text) override;
    void OnSaveEnded(bool saved, const profile::Family& family, const std::string& mac,
                     const std::string& profileText) override;

    // Opens "Network check" for the save that asked for it, if any still waits.
    void RunDueCheck();
    // "Backups and network check...": the operator's choices, kept once OK is pressed.
    void EditSettings();

  private:
    std::string BackupDir() const;

    CPanel& panel_;
    ui::CDialog& window_;
    WindowProvision provision_;
    std::chrono::steady_clock::time_point saveClicked_;
    // The save whose check is due: "" for none.
    struct DueCheck {
        std::string family, mac, settings;
        std::chrono::steady_clock::time_point since;
    } due_;
};
