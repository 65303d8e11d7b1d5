// The window's backups around every page's save: the settings a read found kept before the first
// byte is written, and "Restore newest backup..." bringing them back into the page.
#include "page_shared/panel.h"
#include "page_shared/printer_page.h"
#include "page_shared/profile.h"
#include "page_shared/save_guard.h"

CSaveGuard* CPrinterPage::Guard() {
    CPanel* panel = ThePanel();
    return panel != nullptr ? panel->SaveGuard() : nullptr;
}

void CPrinterPage::KeepReadSettings() {
    readSettings_.clear();
    backupKept_ = false;
    if (Guard() != nullptr && !profile::SaveProfile(*this, profile_, true, &readSettings_).empty())
        readSettings_.clear();
}

bool CPrinterPage::MayWrite() {
    CSaveGuard* guard = Guard();
    if (guard == nullptr)
        return true;
    guard->OnSaveClicked();
    // What is kept is the printer's settings before any of this read's saves.
    if (!backupKept_) {
        const std::string why = readSettings_.empty()
                                    ? "the settings as read could not be taken"
                                    : guard->KeepBackup(GetItemText(buttons_.mac), readSettings_);
        if (why.empty())
            backupKept_ = true;
        else if (ui::AfxMessageBox("No backup could be kept: " + why + ". Save without one?",
                                   ui::kMbYesNo | ui::kMbIconQuestion) != ui::kIdYes)
            return false;
    }
    if (!profile::SaveProfile(*this, profile_, false, &writing_).empty())
        writing_.clear();
    return true;
}

void CPrinterPage::SaveEnded(bool saved) {
    if (CSaveGuard* guard = Guard())
        guard->OnSaveEnded(saved, profile_, GetItemText(buttons_.mac), writing_);
}

void CPrinterPage::RestoreNewestBackup() {
    CSaveGuard* guard = Guard();
    // The MAC address that names the backup comes from a read, and a page may offer Save before
    // any (the module's does).
    if (guard == nullptr || !ReadyForProfile(false) || !ReadyForProfile(true))
        return;
    std::string path, when, text;
    const std::string why =
        guard->NewestBackup(profile_, Desc(), GetItemText(buttons_.mac), &path, &when, &text);
    if (!why.empty()) {
        ui::AfxMessageBox(why);
        return;
    }
    if (ui::AfxMessageBox("Restore the settings kept in " + path + " at " + when +
                              " (UTC)? \"Save WLAN Info\" then writes them to the printer.",
                          ui::kMbYesNo | ui::kMbIconQuestion) != ui::kIdYes)
        return;
    const std::string refusal = profile::LoadProfile(*this, profile_, text);
    if (!refusal.empty())
        ui::AfxMessageBox(refusal);
}
