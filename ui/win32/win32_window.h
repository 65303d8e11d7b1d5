// One shown dialog on the real window system: control access and the dialog procedure.
#pragma once

#include <windows.h>

#include <deque>
#include <mutex>
#include <utility>
#include <vector>

#include "ui/backend.h"

namespace ui {

class CDialog;

class Win32Window : public DialogWindow {
  public:
    Win32Window(HINSTANCE instance, CDialog& dialog);
    ~Win32Window() override;

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The shown dialog a window handle belongs to, or none (message boxes, foreign windows).
    static Win32Window* FromHandle(HWND hwnd);
    CDialog& Dialog() { return dialog_; }
    HWND Handle() const { return hwnd_; }

    std::string GetText(int id) override;
    void SetText(int id, const std::string& text) override;
    bool IsEnabled(int id) override;
    void Enable(int id, bool enable) override;
    bool IsVisible(int id) override;
    void Show(int id, bool show) override;
    int GetCheck(int id) override;
    void SetCheck(int id, int check) override;
    int GetCurSel(int id) override;
    void SetCurSel(int id, int index) override;
    int GetItemCount(int id) override;
    std::string GetItemText(int id, int index) override;
    void AddItem(int id, const std::string& text) override;
    void ReplaceItem(int id, int index, const std::string& text) override;
    void ResetContent(int id) override;
    uint32_t GetAddress(int id) override;
    void SetAddress(int id, uint32_t address) override;
    void SetLimitText(int id, int limit) override;
    void SetFocus(int id) override;
    std::string GetCaption() override;
    void AppendSystemMenuItem(unsigned command, const std::string& text) override;
    void SetIcon(int iconId) override;
    void Minimize() override;
    void SetTimer(unsigned timerId, unsigned ms) override;
    void KillTimer(unsigned timerId) override;
    void Post(Message message) override;
    void End(int result) override;

  private:
    INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void FillFromDescription();
    HWND Item(int id) const;
    // The control with this id when it is a list view.
    HWND ListView(int id) const;
    bool PaintIconWhileMinimised();
    // A resizable dialog: where its anchored controls started, and their places at a new size.
    void RecordAnchoredControls();
    void FollowSize(int width, int height);

    struct Anchored {
        HWND control;
        RECT start;  // client coordinates at the first size
        uint32_t style;
    };
    std::vector<Anchored> anchored_;
    SIZE startClient_ = {};
    SIZE startWindow_ = {};
    bool systemMenuExtended_ = false;

    HINSTANCE instance_;
    CDialog& dialog_;
    HWND hwnd_ = nullptr;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    std::mutex postedMutex_;
    std::deque<Message> posted_;
};

}  // namespace ui
