// The window system as the dialogs see it: one live dialog window, and the services around it.
#pragma once

#include <cstdint>
#include <string>

#include "ui/message.h"

namespace ui {

class CDialog;

// A dialog's window while it is shown. Controls are addressed by id; calls on an id the dialog
// does not have are ignored and return empty values.
class DialogWindow {
  public:
    virtual ~DialogWindow() = default;

    virtual std::string GetText(int id) = 0;
    virtual void SetText(int id, const std::string& text) = 0;
    virtual bool IsEnabled(int id) = 0;
    virtual void Enable(int id, bool enable) = 0;
    virtual bool IsVisible(int id) = 0;
    virtual void Show(int id, bool show) = 0;
    virtual int GetCheck(int id) = 0;
    virtual void SetCheck(int id, int check) = 0;
    virtual int GetCurSel(int id) = 0;  // -1 when nothing is selected
    virtual void SetCurSel(int id, int index) = 0;
    virtual int GetItemCount(int id) = 0;
    virtual std::string GetItemText(int id, int index) = 0;
    virtual void AddItem(int id, const std::string& text) = 0;
    virtual void ReplaceItem(int id, int index, const std::string& text) = 0;
    virtual void ResetContent(int id) = 0;
    virtual uint32_t GetAddress(int id) = 0;  // first octet in the high byte
    virtual void SetAddress(int id, uint32_t address) = 0;
    virtual void SetLimitText(int id, int limit) = 0;
    virtual void SetFocus(int id) = 0;

    virtual std::string GetCaption() = 0;
    virtual void AppendSystemMenuItem(unsigned command, const std::string& text) = 0;
    virtual void SetIcon(int iconId) = 0;
    virtual void Minimize() = 0;

    // One-shot timers: a timer fires once, then it is gone unless armed again.
    virtual void SetTimer(unsigned timerId, unsigned ms) = 0;
    virtual void KillTimer(unsigned timerId) = 0;

    // Safe from any thread.
    virtual void Post(Message message) = 0;
    virtual void End(int result) = 0;
};

enum class FileDialogKind { kOpen, kSave };

// The kind of file a file dialog offers: "Printer settings (*.json)", "*.json".
struct FileFilter {
    std::string description;
    std::string pattern;
};

// The services of the window system that are not tied to one window.
class Backend {
  public:
    virtual ~Backend() = default;

    // Shows the dialog modally over the current top dialog and returns its end result. The loop
    // keeps dispatching every message of the thread, the owner's included.
    virtual int RunModal(CDialog& dialog) = 0;
    virtual int ShowMessageBox(const std::string& text, unsigned type) = 0;
    virtual uint32_t TickCount() = 0;
    virtual void Sleep(unsigned ms) = 0;
    // Dispatches every message that is pending now, then returns.
    virtual void PumpMessages() = 0;
    virtual std::string LoadText(unsigned id) = 0;
    // The standard Open or Save dialog; the path chosen, or "" when the operator cancels. A Save
    // dialog asks before it lets an existing file be replaced.
    virtual std::string AskFileName(FileDialogKind kind, const FileFilter& filter) = 0;
    virtual bool CopyToClipboard(const std::string& text) = 0;

    CDialog* MainWindow() const { return mainWindow_; }
    void SetMainWindow(CDialog* dialog) { mainWindow_ = dialog; }

  private:
    CDialog* mainWindow_ = nullptr;
};

// The backend in use; set once at start (the product's WinMain or a test fixture).
Backend& CurrentBackend();
void SetBackend(Backend* backend);

// The application's main window.
CDialog* AfxGetMainWnd();

// A modal message box; warning icon and one OK button unless the type asks otherwise.
int AfxMessageBox(const std::string& text, unsigned type = kMbOk | kMbIconWarning);

}  // namespace ui
