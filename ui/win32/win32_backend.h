// The real window system: dialogs built from their descriptions with DialogBoxIndirectParamW.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/backend.h"

namespace ui {

class Win32Window;

class Win32Backend : public Backend {
  public:
    explicit Win32Backend(HINSTANCE instance);
    ~Win32Backend() override;

    int RunModal(CDialog& dialog) override;
    int ShowMessageBox(const std::string& text, unsigned type) override;
    uint32_t TickCount() override;
    void Sleep(unsigned ms) override;
    void PumpMessages() override;
    std::string LoadText(unsigned id) override;
    std::string AskFileName(FileDialogKind kind, const FileFilter& filter) override;
    bool CopyToClipboard(const std::string& text) override;

  private:
    HWND TopWindow() const;
    static LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    HHOOK filter_;
    DWORD uiThread_;
    std::vector<Win32Window*> shown_;  // the top one owns the next dialog or message box
};

}  // namespace ui
