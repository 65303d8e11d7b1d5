// In-memory dialog window: the controls of a dialog description with the window system's rules.
#include "ui/headless/headless_window.h"

#include <strings.h>
#include <algorithm>

#include "ui/data_exchange.h"
#include "ui/dialog.h"
#include "ui/headless/headless_backend.h"

namespace ui {

HeadlessWindow::HeadlessWindow(HeadlessBackend& backend, CDialog& dialog, uint64_t id)
    : backend_(backend), dialog_(dialog), id_(id) {
    for (const ControlDesc& desc : dialog.Desc().controls) {
        HeadlessControl c;
        c.desc = &desc;
        c.text = desc.caption;
        c.enabled = (desc.style & kDisabled) == 0;
        c.visible = (desc.style & kHidden) == 0;
        c.limit = desc.limit;
        if (desc.kind == Kind::kDropDownList) {
            c.text.clear();
            for (const std::string& item : desc.items)
                c.items.push_back(item);
            if (desc.style & kSorted) {
                std::sort(c.items.begin(), c.items.end(), [](const auto& a, const auto& b) {
                    return strcasecmp(a.c_str(), b.c_str()) < 0;
                });
            }
        }
        controls_.push_back(c);
    }
}

HeadlessControl* HeadlessWindow::Find(int id) {
    if (id == kNoId)
        return nullptr;
    for (HeadlessControl& c : controls_) {
        if (c.desc->id == id)
            return &c;
    }
    return nullptr;
}

void HeadlessWindow::CheckRadioInGroup(int id) {
    // A group runs from a control marked as a group start up to the next one.
    size_t start = 0;
    size_t index = 0;
    for (size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i].desc->style & kGroup)
            start = i;
        if (controls_[i].desc->id == id) {
            index = i;
            break;
        }
    }
    for (size_t i = start; i < controls_.size(); ++i) {
        if (i > start && (controls_[i].desc->style & kGroup))
            break;
        if (controls_[i].desc->kind == Kind::kAutoRadio)
            controls_[i].check = i == index ? 1 : 0;
    }
}

std::string HeadlessWindow::GetText(int id) {
    HeadlessControl* c = Find(id);
    if (c == nullptr)
        return std::string();
    if (c->desc->kind == Kind::kDropDownList)
        return GetItemText(id, c->curSel);
    if (c->desc->kind == Kind::kIpAddress)
        return DottedAddress(c->address);
    return c->text;
}

void HeadlessWindow::SetText(int id, const std::string& text) {
    HeadlessControl* c = Find(id);
    if (c != nullptr && c->desc->kind != Kind::kDropDownList)
        c->text = text;
}

bool HeadlessWindow::IsEnabled(int id) {
    HeadlessControl* c = Find(id);
    return c != nullptr && c->enabled;
}

void HeadlessWindow::Enable(int id, bool enable) {
    if (HeadlessControl* c = Find(id))
        c->enabled = enable;
}

bool HeadlessWindow::IsVisible(int id) {
    HeadlessControl* c = Find(id);
    return c != nullptr && c->visible;
}

void HeadlessWindow::Show(int id, bool show) {
    if (HeadlessControl* c = Find(id))
        c->visible = show;
}

int HeadlessWindow::GetCheck(int id) {
    HeadlessControl* c = Find(id);
    return c == nullptr ? 0 : c->check;
}

void HeadlessWindow::SetCheck(int id, int check) {
    if (HeadlessControl* c = Find(id))
        c->check = check;
}

int HeadlessWindow::GetCurSel(int id) {
    HeadlessControl* c = Find(id);
    return c == nullptr ? -1 : c->curSel;
}

void HeadlessWindow::SetCurSel(int id, int index) {
    HeadlessControl* c = Find(id);
    if (c == nullptr)
        return;
    c->curSel = index >= 0 && index < static_cast<int>(c->items.size()) ? index : -1;
}

int HeadlessWindow::GetItemCount(int id) {
    HeadlessControl* c = Find(id);
    return c == nullptr ? 0 : static_cast<int>(c->items.size());
}

std::string HeadlessWindow::GetItemText(int id, int index) {
    HeadlessControl* c = Find(id);
    if (c == nullptr || index < 0 || index >= static_cast<int>(c->items.size()))
        return {};
    return c->items[index];
}

void HeadlessWindow::AddItem(int id, const std::string& text) {
    HeadlessControl* c = Find(id);
    if (c == nullptr)
        return;
    auto at = c->items.end();
    if (c->desc->style & kSorted) {
        at = std::find_if(c->items.begin(), c->items.end(), [&](const std::string& item) {
            return strcasecmp(item.c_str(), text.c_str()) > 0;
        });
    }
    const int index = static_cast<int>(at - c->items.begin());
    c->items.insert(at, text);
    if (c->curSel >= index)
        ++c->curSel;
}

void HeadlessWindow::ReplaceItem(int id, int index, const std::string& text) {
    HeadlessControl* c = Find(id);
    if (c != nullptr && index >= 0 && index < static_cast<int>(c->items.size()))
        c->items[index] = text;
}

void HeadlessWindow::ResetContent(int id) {
    if (HeadlessControl* c = Find(id)) {
        c->items.clear();
        c->curSel = -1;
    }
}

uint32_t HeadlessWindow::GetAddress(int id) {
    HeadlessControl* c = Find(id);
    return c == nullptr ? 0 : c->address;
}

void HeadlessWindow::SetAddress(int id, uint32_t address) {
    if (HeadlessControl* c = Find(id))
        c->address = address;
}

void HeadlessWindow::SetLimitText(int id, int limit) {
    if (HeadlessControl* c = Find(id))
        c->limit = limit;
}

void HeadlessWindow::SetFocus(int id) {
    if (Find(id) != nullptr)
        focus = id;
}

std::string HeadlessWindow::GetCaption() {
    return dialog_.Desc().caption;
}

void HeadlessWindow::AppendSystemMenuItem(unsigned command, const std::string& text) {
    systemMenu.emplace_back(command, text);
}

void HeadlessWindow::SetIcon(int icon) {
    iconId = icon;
}

// A window in memory has no minimised look to show.
void HeadlessWindow::Minimize() {}

void HeadlessWindow::SetTimer(unsigned timerId, unsigned ms) {
    backend_.SetTimer(id_, timerId, ms);
}

void HeadlessWindow::KillTimer(unsigned timerId) {
    backend_.KillTimer(id_, timerId);
}

void HeadlessWindow::Post(Message message) {
    backend_.Post(id_, std::move(message));
}

void HeadlessWindow::End(int endResult) {
    ended = true;
    result = endResult;
}

}  // namespace ui
