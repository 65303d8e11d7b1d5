// "Backups and network check...": whether the window keeps a backup before every save and where,
// and whether it then waits for the printer on its network, and for how long.
#pragma once

#include <string>

#include "app/window_provision.h"
#include "ui/dialog.h"

class CProvisionSettingsDlg : public ui::CDialog {
  public:
    CProvisionSettingsDlg(const ProvisionSettings& settings, const std::string& defaultBackupDir);

    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
    void OnOK() override;

    // What the operator chose, once the dialog ended with IDOK.
    const ProvisionSettings& Chosen() const { return settings_; }

  private:
    void EnableChoices();

    ProvisionSettings settings_;
    std::string defaultBackupDir_;
};
