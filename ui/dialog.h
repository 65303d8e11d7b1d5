// Base class of every dialog: handlers, control access and data exchange against either backend.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

#include "ui/backend.h"
#include "ui/dialog_desc.h"
#include "ui/message.h"

namespace ui {

class CDataExchange;

class CDialog {
  public:
    explicit CDialog(const DialogDesc& desc);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    const DialogDesc& Desc() const { return desc_; }
    // A dialog that swallows Enter never sees it, whichever control has the focus.
    bool SwallowsEnter() const { return swallowsEnter_; }

    // Shows the dialog modally; returns the result it ended with.
    int DoModal();
    void EndDialog(int result);
    bool IsWindow() const;

    // Handlers, called by the backend on the UI thread.
    virtual bool OnInitDialog();
    virtual void OnCommand(int id, int code);
    virtual void OnTimer(unsigned timerId);
    // Returns true when the command was handled; otherwise the default handling runs.
    virtual bool OnSysCommand(unsigned command);
    virtual void OnMessage(const Message& message);
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange& dx);
    // The application's main window hears of every message box before it shows.
    virtual void OnMessageBoxShown(const std::string& text);

    // true: controls to held values, stopping at the first field that cannot be taken.
    // false: held values to controls.
    bool UpdateData(bool saveAndValidate = true);
    // For a handler that owns some fields: shows their held values, or takes them with the
    // usual message for one that cannot be taken, and takes every other field quietly, so that
    // nothing the operator typed elsewhere is lost (a field that cannot be taken keeps its text
    // and gets its message when values are next taken). TakeData({}) takes what it can, quietly.
    void ShowData(const std::vector<int>& owned);
    bool TakeData(const std::vector<int>& owned);

    // Posts a message to this dialog's window; dropped when no window exists. Any thread.
    void Post(Message message);

    // Backend use only.
    void Attach(DialogWindow* window);
    void Detach();

    // Control access; no effect and empty results while the dialog has no window.
    std::string GetItemText(int id);
    void SetItemText(int id, const std::string& text);
    bool IsItemEnabled(int id);
    void EnableItem(int id, bool enable);
    // A group of controls at once: an array of ids or a braced list.
    template <typename Ids>
    void EnableItems(const Ids& ids, bool enable) {
        for (int id : ids)
            EnableItem(id, enable);
    }
    void EnableItems(std::initializer_list<int> ids, bool enable) {
        EnableItems<std::initializer_list<int>>(ids, enable);
    }
    bool IsItemVisible(int id);
    void ShowItem(int id, bool show);
    int GetCheck(int id);
    void SetCheck(int id, int check);
    // Checks checkedId and clears the rest of the group; an id outside it clears them all.
    template <typename Ids>
    void CheckRadio(const Ids& group, int checkedId) {
        for (int id : group)
            SetCheck(id, id == checkedId ? 1 : 0);
    }
    int GetCurSel(int id);
    void SetCurSel(int id, int index);
    int GetItemCount(int id);
    std::string GetLBText(int id, int index);
    void AddString(int id, const std::string& text);
    // A list view's row, in place: its columns separated by tabs.
    void SetRowText(int id, int index, const std::string& text);
    void ResetContent(int id);
    uint32_t GetAddress(int id);
    void SetAddress(int id, uint32_t address);
    void SetLimitText(int id, int limit);
    void GotoDlgCtrl(int id);
    std::string GetCaption();
    void AppendSystemMenuItem(unsigned command, const std::string& text);
    void SetIcon(int iconId);
    void ShowMinimized();
    void SetTimer(unsigned timerId, unsigned ms);
    void KillTimer(unsigned timerId);

  protected:
    void SetSwallowsEnter(bool swallow) { swallowsEnter_ = swallow; }

  private:
    const DialogDesc& desc_;
    bool swallowsEnter_ = false;
    mutable std::mutex windowMutex_;  // guards window_ against posts from other threads
    DialogWindow* window_ = nullptr;
};

}  // namespace ui
