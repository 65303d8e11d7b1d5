// In-memory window system: the real dialog code runs on its own UI thread against in-memory
// controls and scripted message boxes, driven from another thread, on a virtual or steady clock.
#include "ui/headless/headless_backend.h"

#include <algorithm>
#include <memory>
#include <thread>

#include "ui/headless/headless_window.h"

namespace ui {

HeadlessBackend::HeadlessBackend(Clock clock)
    : steady_(clock == Clock::kSteady), epoch_(std::chrono::steady_clock::now()) {}

HeadlessBackend::~HeadlessBackend() {
    Stop();
}

// ---------------------------------------------------------------- UI thread

int HeadlessBackend::RunModal(CDialog& dialog) {
    std::unique_ptr<HeadlessWindow> window;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        window = std::make_unique<HeadlessWindow>(*this, dialog, nextWindow_++);
        live_[window->Id()] = window.get();
        stack_.push_back(window.get());
        idleCv_.notify_all();  // the top dialog changed
    }
    dialog.Attach(window.get());
    dialog.OnInitDialog();
    Item item;
    while (!window->ended && WaitItem(&item, *window))
        Dispatch(item);
    dialog.Detach();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const uint64_t id = window->Id();
        live_.erase(id);
        stack_.erase(std::remove(stack_.begin(), stack_.end(), window.get()), stack_.end());
        timed_.erase(std::remove_if(timed_.begin(), timed_.end(),
                                    [id](const Timed& t) { return t.window == id; }),
                     timed_.end());
        idleCv_.notify_all();
    }
    return window->ended ? window->result : kIdCancel;
}

int HeadlessBackend::ShowMessageBox(const std::string& text, unsigned type) {
    if (boxHandler_) {
        if (const int answer = boxHandler_(text, type)) {
            std::lock_guard<std::mutex> lock(mutex_);
            boxes_.push_back(Box{text, type});
            return answer;
        }
    }
    std::lock_guard<std::mutex> lock(mutex_);
    boxes_.push_back(Box{text, type});
    if (!answers_.empty()) {
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return (type & kMbButtonMask) == kMbYesNo ? kIdYes : kIdOk;
}

uint32_t HeadlessBackend::TickCount() {
    std::lock_guard<std::mutex> lock(mutex_);
    return NowLocked();
}

void HeadlessBackend::Sleep(unsigned ms) {
    if (steady_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    now_ += ms;
}

uint32_t HeadlessBackend::NowLocked() const {
    if (!steady_)
        return now_;
    const auto elapsed = std::chrono::steady_clock::now() - epoch_;
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void HeadlessBackend::PumpMessages() {
    for (;;) {
        Item item;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!NextReady(&item))
                return;
        }
        Dispatch(item);
    }
}

std::string HeadlessBackend::LoadText(unsigned id) {
    auto it = strings_.find(id);
    return it == strings_.end() ? std::string() : it->second;
}

std::string HeadlessBackend::AskFileName(FileDialogKind kind, const FileFilter& filter) {
    std::lock_guard<std::mutex> lock(mutex_);
    fileDialogs_.push_back(FileDialog{kind, filter});
    if (fileAnswers_.empty())
        return std::string();
    std::string path = std::move(fileAnswers_.front());
    fileAnswers_.pop_front();
    return path;
}

bool HeadlessBackend::CopyToClipboard(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    clipboard_ = text;
    return true;
}

bool HeadlessBackend::NextReady(Item* item) {
    if (!posted_.empty()) {
        *item = std::move(posted_.front());
        posted_.pop_front();
        return true;
    }
    const int earliest = EarliestTimed();
    if (earliest < 0 || timed_[earliest].due > NowLocked())
        return false;
    Timed& t = timed_[earliest];
    item->kind = t.window == 0 ? Item::Kind::kJob : Item::Kind::kTimer;
    item->window = t.window;
    item->timerId = t.timerId;
    item->fn = std::move(t.fn);
    timed_.erase(timed_.begin() + earliest);
    return true;
}

int HeadlessBackend::EarliestTimed() const {
    int best = -1;
    for (size_t i = 0; i < timed_.size(); ++i) {
        const Timed& t = timed_[i];
        if (best < 0 || t.due < timed_[best].due ||
            (t.due == timed_[best].due && t.seq < timed_[best].seq))
            best = static_cast<int>(i);
    }
    return best;
}

bool HeadlessBackend::HasReadyWork() const {
    if (!posted_.empty())
        return true;
    const int earliest = EarliestTimed();
    return earliest >= 0 && timed_[earliest].due <= std::max(NowLocked(), advanceTarget_);
}

bool HeadlessBackend::WaitItem(Item* item, HeadlessWindow& window) {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        if (stopping_ || window.ended)
            return false;
        if (NextReady(item))
            return true;
        if (steady_) {
            // Nothing is due now: sleep until the next timer falls due or work is posted.
            const int earliest = EarliestTimed();
            idle_ = true;
            idleCv_.notify_all();
            if (earliest < 0)
                workCv_.wait(lock);
            else
                workCv_.wait_until(lock, epoch_ + std::chrono::milliseconds(timed_[earliest].due));
            idle_ = false;
            continue;
        }
        // Nothing is due now: let the clock run up to where the test has advanced it.
        const int earliest = EarliestTimed();
        if (earliest >= 0 && timed_[earliest].due <= advanceTarget_) {
            now_ = timed_[earliest].due;
            continue;
        }
        now_ = std::max(now_, advanceTarget_);
        idle_ = true;
        idleCv_.notify_all();
        workCv_.wait(lock);
        idle_ = false;
    }
}

void HeadlessBackend::Dispatch(Item& item) {
    if (item.kind == Item::Kind::kJob) {
        item.fn();
        return;
    }
    HeadlessWindow* window = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = live_.find(item.window);
        if (it != live_.end())
            window = it->second;
    }
    if (window == nullptr)
        return;  // its dialog has closed meanwhile
    if (item.kind == Item::Kind::kTimer) {
        window->Dialog().OnTimer(item.timerId);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        deliveries_.push_back(Delivery{&window->Dialog(), item.message});
    }
    window->Dialog().OnMessage(item.message);
}

void HeadlessBackend::Post(uint64_t window, Message message) {
    std::lock_guard<std::mutex> lock(mutex_);
    Item item{Item::Kind::kPost, window, std::move(message), 0, nullptr};
    posted_.push_back(std::move(item));
    workCv_.notify_all();
}

void HeadlessBackend::SetTimer(uint64_t window, unsigned timerId, unsigned ms) {
    std::lock_guard<std::mutex> lock(mutex_);
    timed_.erase(
        std::remove_if(timed_.begin(), timed_.end(),
                       [&](const Timed& t) { return t.window == window && t.timerId == timerId; }),
        timed_.end());
    timed_.push_back(Timed{NowLocked() + ms, nextSeq_++, window, timerId, nullptr});
}

void HeadlessBackend::KillTimer(uint64_t window, unsigned timerId) {
    std::lock_guard<std::mutex> lock(mutex_);
    timed_.erase(
        std::remove_if(timed_.begin(), timed_.end(),
                       [&](const Timed& t) { return t.window == window && t.timerId == timerId; }),
        timed_.end());
}

// ---------------------------------------------------------------- test thread

void HeadlessBackend::Start(std::function<void()> main) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        uiDone_ = false;
        stopping_ = false;
    }
    uiThread_ = std::thread([this, main] {
        main();
        std::lock_guard<std::mutex> lock(mutex_);
        uiDone_ = true;
        idleCv_.notify_all();
    });
    Settle();
}

void HeadlessBackend::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        workCv_.notify_all();
    }
    if (uiThread_.joinable())
        uiThread_.join();
}

void HeadlessBackend::Settle() {
    std::unique_lock<std::mutex> lock(mutex_);
    // An idle UI thread that has not yet woken to an Advance still shows the old time: settled
    // only once its clock has caught up.
    idleCv_.wait(lock, [this] {
        return uiDone_ || (idle_ && !HasReadyWork() && (steady_ || now_ >= advanceTarget_));
    });
}

void HeadlessBackend::Advance(unsigned ms) {
    if (steady_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        Settle();
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        advanceTarget_ = std::max(now_, advanceTarget_) + ms;
        workCv_.notify_all();
    }
    Settle();
}

void HeadlessBackend::RunOnUi(std::function<void()> fn) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        posted_.push_back(Item{Item::Kind::kJob, 0, Message{}, 0, std::move(fn)});
        workCv_.notify_all();
    }
    Settle();
}

void HeadlessBackend::ScheduleAfter(unsigned ms, std::function<void()> fn) {
    std::lock_guard<std::mutex> lock(mutex_);
    timed_.push_back(Timed{NowLocked() + ms, nextSeq_++, 0, 0, std::move(fn)});
    workCv_.notify_all();
}

uint32_t HeadlessBackend::Now() {
    Settle();
    return TickCount();
}

HeadlessWindow* HeadlessBackend::Live(CDialog& dialog) {
    for (auto& [id, window] : live_) {
        if (&window->Dialog() == &dialog)
            return window;
    }
    return nullptr;
}

bool HeadlessBackend::IsTop(const HeadlessWindow* window) const {
    return !stack_.empty() && stack_.back() == window;
}

bool HeadlessBackend::Act(CDialog& dialog, int id, std::function<void(HeadlessWindow&)> action) {
    bool taken = false;
    RunOnUi([&] {
        HeadlessWindow* window;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            window = Live(dialog);
            if (window == nullptr || !IsTop(window))
                return;
        }
        if (id != kNoId) {
            HeadlessControl* c = window->Find(id);
            if (c == nullptr || !c->enabled || !c->visible)
                return;
        }
        taken = true;
        action(*window);
    });
    return taken;
}

bool HeadlessBackend::Click(CDialog& dialog, int id) {
    return Act(dialog, id, [id](HeadlessWindow& w) {
        HeadlessControl* c = w.Find(id);
        if (c->desc->kind == Kind::kAutoRadio)
            w.CheckRadioInGroup(id);
        if (c->desc->kind == Kind::kAutoCheckBox)
            c->check = c->check ? 0 : 1;
        w.focus = id;
        w.Dialog().OnCommand(id, kBnClicked);
    });
}

bool HeadlessBackend::Select(CDialog& dialog, int id, int index) {
    return Act(dialog, id, [id, index](HeadlessWindow& w) {
        HeadlessControl* c = w.Find(id);
        if (index < 0 || index >= static_cast<int>(c->items.size()))
            return;
        c->curSel = index;
        w.focus = id;
        w.Dialog().OnCommand(id, kCbnSelChange);
    });
}

bool HeadlessBackend::DoubleClick(CDialog& dialog, int id, int index) {
    return Act(dialog, id, [id, index](HeadlessWindow& w) {
        HeadlessControl* c = w.Find(id);
        if (c->desc->kind != Kind::kListView || index < 0 ||
            index >= static_cast<int>(c->items.size()))
            return;
        c->curSel = index;
        w.focus = id;
        w.Dialog().OnCommand(id, kListDoubleClick);
    });
}

bool HeadlessBackend::Type(CDialog& dialog, int id, const std::string& text) {
    return Act(dialog, id, [id, text](HeadlessWindow& w) {
        HeadlessControl* c = w.Find(id);
        if (c->desc->kind != Kind::kEdit || (c->desc->style & kReadOnly))
            return;
        // Typing stops at the limit; a number field refuses anything but digits.
        std::string typed;
        int chars = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            const unsigned char ch = static_cast<unsigned char>(text[i]);
            const bool lead = (ch & 0xC0) != 0x80;
            if (lead && c->limit > 0 && chars == c->limit)
                break;
            if ((c->desc->style & kNumber) && (ch < '0' || ch > '9'))
                continue;
            if (lead)
                ++chars;
            typed += static_cast<char>(ch);
        }
        c->text = typed;
        w.focus = id;
        w.Dialog().OnCommand(id, kEnChange);
    });
}

bool HeadlessBackend::LeaveField(CDialog& dialog, int id) {
    return Act(dialog, id, [id](HeadlessWindow& w) {
        if (w.focus == id)
            w.focus = kNoId;
        w.Dialog().OnCommand(id, kEnKillFocus);
    });
}

bool HeadlessBackend::PressEnter(CDialog& dialog) {
    return Act(dialog, kNoId, [](HeadlessWindow& w) {
        if (w.Dialog().SwallowsEnter())
            return;
        int target = kIdOk;
        for (const ControlDesc& c : w.Dialog().Desc().controls) {
            if (c.kind == Kind::kDefPushButton)
                target = c.id;
        }
        w.Dialog().OnCommand(target, kBnClicked);
    });
}

bool HeadlessBackend::PressEscape(CDialog& dialog) {
    return Act(dialog, kNoId,
               [](HeadlessWindow& w) { w.Dialog().OnCommand(kIdCancel, kBnClicked); });
}

bool HeadlessBackend::SysCommand(CDialog& dialog, unsigned command) {
    return Act(dialog, kNoId, [command](HeadlessWindow& w) {
        if (w.Dialog().OnSysCommand(command))
            return;
        // The default handling of the close box is the dialog's cancel.
        if ((command & 0xFFF0) == kScClose)
            w.Dialog().OnCommand(kIdCancel, kBnClicked);
    });
}

bool HeadlessBackend::MenuCommand(CDialog& dialog, int id) {
    return Act(dialog, kNoId, [id](HeadlessWindow& w) { w.Dialog().OnCommand(id, 0); });
}

template <typename T>
T HeadlessBackend::Read(CDialog& dialog, T empty, std::function<T(HeadlessWindow&)> read) {
    Settle();
    std::lock_guard<std::mutex> lock(mutex_);
    HeadlessWindow* window = Live(dialog);
    return window == nullptr ? empty : read(*window);
}

CDialog* HeadlessBackend::TopDialog() {
    Settle();
    std::lock_guard<std::mutex> lock(mutex_);
    return stack_.empty() ? nullptr : &stack_.back()->Dialog();
}

bool HeadlessBackend::WaitWhileTop(CDialog& dialog, unsigned ms) {
    std::unique_lock<std::mutex> lock(mutex_);
    const HeadlessWindow* window = Live(dialog);
    return idleCv_.wait_for(lock, std::chrono::milliseconds(ms), [&] {
        return uiDone_ || window == nullptr || !IsTop(window) ||
               (idle_ && posted_.empty() && timed_.empty());
    });
}

bool HeadlessBackend::IsShown(CDialog& dialog) {
    return Read<bool>(dialog, false, [](HeadlessWindow&) { return true; });
}
std::string HeadlessBackend::Caption(CDialog& dialog) {
    return Read<std::string>(dialog, {}, [](HeadlessWindow& w) { return w.GetCaption(); });
}
std::string HeadlessBackend::Text(CDialog& dialog, int id) {
    return Read<std::string>(dialog, {}, [id](HeadlessWindow& w) { return w.GetText(id); });
}
bool HeadlessBackend::Enabled(CDialog& dialog, int id) {
    return Read<bool>(dialog, false, [id](HeadlessWindow& w) { return w.IsEnabled(id); });
}
bool HeadlessBackend::Visible(CDialog& dialog, int id) {
    return Read<bool>(dialog, false, [id](HeadlessWindow& w) { return w.IsVisible(id); });
}
int HeadlessBackend::Checked(CDialog& dialog, int id) {
    return Read<int>(dialog, 0, [id](HeadlessWindow& w) { return w.GetCheck(id); });
}
std::vector<std::string> HeadlessBackend::Items(CDialog& dialog, int id) {
    return Read<std::vector<std::string>>(dialog, {}, [id](HeadlessWindow& w) {
        HeadlessControl* c = w.Find(id);
        return c == nullptr ? std::vector<std::string>() : c->items;
    });
}
uint32_t HeadlessBackend::Address(CDialog& dialog, int id) {
    return Read<uint32_t>(dialog, 0, [id](HeadlessWindow& w) { return w.GetAddress(id); });
}
int HeadlessBackend::Limit(CDialog& dialog, int id) {
    return Read<int>(dialog, 0, [id](HeadlessWindow& w) {
        HeadlessControl* c = w.Find(id);
        return c == nullptr ? 0 : c->limit;
    });
}
int HeadlessBackend::Focus(CDialog& dialog) {
    return Read<int>(dialog, kNoId, [](HeadlessWindow& w) { return w.focus; });
}
int HeadlessBackend::IconId(CDialog& dialog) {
    return Read<int>(dialog, 0, [](HeadlessWindow& w) { return w.iconId; });
}
std::vector<std::pair<unsigned, std::string>> HeadlessBackend::SystemMenuItems(CDialog& dialog) {
    using Items = std::vector<std::pair<unsigned, std::string>>;
    return Read<Items>(dialog, {}, [](HeadlessWindow& w) { return w.systemMenu; });
}
bool HeadlessBackend::TimerArmed(CDialog& dialog, unsigned timerId) {
    return Read<bool>(dialog, false, [&](HeadlessWindow& w) {
        for (const Timed& t : timed_) {
            if (t.window == w.Id() && t.timerId == timerId)
                return true;
        }
        return false;
    });
}

std::vector<HeadlessBackend::Box> HeadlessBackend::TakeBoxes() {
    Settle();
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Box> boxes;
    boxes.swap(boxes_);
    return boxes;
}

std::vector<std::string> HeadlessBackend::TakeBoxTexts() {
    std::vector<std::string> texts;
    for (const Box& box : TakeBoxes())
        texts.push_back(box.text);
    return texts;
}

std::vector<HeadlessBackend::Delivery> HeadlessBackend::TakeDeliveries() {
    Settle();
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Delivery> deliveries;
    deliveries.swap(deliveries_);
    return deliveries;
}

void HeadlessBackend::AnswerNextBox(int answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    answers_.push_back(answer);
}

void HeadlessBackend::AnswerNextFileDialog(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    fileAnswers_.push_back(path);
}

std::vector<HeadlessBackend::FileDialog> HeadlessBackend::TakeFileDialogs() {
    Settle();
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<FileDialog> dialogs;
    dialogs.swap(fileDialogs_);
    return dialogs;
}

std::string HeadlessBackend::Clipboard() {
    Settle();
    std::lock_guard<std::mutex> lock(mutex_);
    return clipboard_;
}

}  // namespace ui
