// In-memory dialog window: the controls of a dialog description with the window system's rules.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "ui/backend.h"
#include "ui/dialog_desc.h"

namespace ui {

class CDialog;
class HeadlessBackend;

struct HeadlessControl {
    const ControlDesc* desc = nullptr;
    std::string text;
    bool enabled = true;
    bool visible = true;
    int check = 0;
    std::vector<std::string> items;
    int curSel = -1;
    uint32_t address = 0;
    int limit = 0;
};

class HeadlessWindow : public DialogWindow {
  public:
    HeadlessWindow(HeadlessBackend& backend, CDialog& dialog, uint64_t id);

    uint64_t Id() const { return id_; }
    CDialog& Dialog() { return dialog_; }
    HeadlessControl* Find(int id);
    // The auto radio button takes the check from the other radio buttons of its group.
    void CheckRadioInGroup(int id);

    bool ended = false;
    int result = 0;
    int focus = kNoId;
    int iconId = 0;
    std::vector<std::pair<unsigned, std::string>> systemMenu;

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
    HeadlessBackend& backend_;
    CDialog& dialog_;
    uint64_t id_;
    std::vector<HeadlessControl> controls_;
};

}  // namespace ui
