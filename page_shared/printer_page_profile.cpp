// "Save settings to file..." and "Load settings from file..." of every printer page.
#include "page_shared/printer_page.h"
#include "page_shared/profile.h"
#include "page_shared/text_file.h"

namespace {

const ui::FileFilter kProfileFilter{"Printer settings (*.json)", "*.json"};

}  // namespace

bool CPrinterPage::ReadyForProfile(bool toLoad) {
    // Settings are the printer's only once read, and hold still only between exchanges; they
    // take typing only while Save is offered.
    const bool between = IsItemEnabled(buttons_.read) || IsItemEnabled(buttons_.save);
    if (toLoad ? IsItemEnabled(buttons_.save) : read_ && between)
        return true;
    ui::AfxMessageBox("Read the printer's settings first.");
    return false;
}

void CPrinterPage::SaveSettingsToFile() {
    if (!ReadyForProfile(false))
        return;
    const bool includeKey = ui::AfxMessageBox("Include the security key in the file?",
                                              ui::kMbYesNo | ui::kMbIconQuestion) == ui::kIdYes;
    std::string text;
    const std::string refusal = profile::SaveProfile(*this, profile_, includeKey, &text);
    if (!refusal.empty()) {
        ui::AfxMessageBox(refusal);
        return;
    }
    const std::string path =
        ui::CurrentBackend().AskFileName(ui::FileDialogKind::kSave, kProfileFilter);
    if (path.empty())
        return;
    if (!WriteFileReplacing(path, text, includeKey ? FileAccess::kOwnerOnly : FileAccess::kShared))
        ui::AfxMessageBox("The settings could not be written to " + path + ".");
}

void CPrinterPage::LoadSettingsFromFile() {
    if (!ReadyForProfile(true))
        return;
    const std::string path =
        ui::CurrentBackend().AskFileName(ui::FileDialogKind::kOpen, kProfileFilter);
    if (path.empty())
        return;
    std::string text;
    if (!ReadTextFile(path, &text)) {
        ui::AfxMessageBox("The file " + path + " could not be read.");
        return;
    }
    const std::string refusal = profile::LoadProfile(*this, profile_, text);
    if (!refusal.empty())
        ui::AfxMessageBox(refusal);
}
