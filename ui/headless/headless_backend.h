// In-memory window system: the real dialog code runs on its own UI thread against in-memory
// controls and scripted message boxes, driven from another thread. Tests run it on a virtual
// clock; the command line runs it on the steady clock.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ui/backend.h"
#include "ui/dialog.h"

namespace ui {

class HeadlessWindow;

class HeadlessBackend : public Backend {
  public:
    struct Box {
        std::string text;
        unsigned type;
    };

    enum class Clock {
        kVirtual,  // time moves only by Sleep and Advance
        kSteady,   // time is the steady clock's; timers fire when they fall due
    };

    explicit HeadlessBackend(Clock clock = Clock::kVirtual);
    ~HeadlessBackend() override;

    // --- Backend, called on the UI thread ---
    int RunModal(CDialog& dialog) override;
    int ShowMessageBox(const std::string& text, unsigned type) override;
    uint32_t TickCount() override;
    void Sleep(unsigned ms) override;
    void PumpMessages() override;
    std::string LoadText(unsigned id) override;
    std::string AskFileName(FileDialogKind kind, const FileFilter& filter) override;
    bool CopyToClipboard(const std::string& text) override;

    // --- Test thread ---
    void AddString(unsigned id, const std::string& text) { strings_[id] = text; }
    // Starts the UI thread running main (typically the main dialog's DoModal) and settles.
    void Start(std::function<void()> main);
    // Ends every shown dialog and joins the UI thread.
    void Stop();
    // Waits until the UI thread has nothing left to do at the current virtual time.
    void Settle();
    // Moves the virtual clock forward, firing what falls due on the way; on the steady clock,
    // waits ms and settles.
    void Advance(unsigned ms);
    // Runs fn on the UI thread, then settles.
    void RunOnUi(std::function<void()> fn);
    // Runs fn on the UI thread at virtual time now + ms. Any thread.
    void ScheduleAfter(unsigned ms, std::function<void()> fn);
    uint32_t Now();

    // Operator actions. Each returns false when the control could not take it (missing,
    // disabled, hidden, or its dialog is not the top one), and settles afterwards.
    bool Click(CDialog& dialog, int id);
    bool Select(CDialog& dialog, int id, int index);
    // A double-click on a list view's row: the row is chosen, then the dialog hears of it.
    bool DoubleClick(CDialog& dialog, int id, int index);
    bool Type(CDialog& dialog, int id, const std::string& text);
    bool LeaveField(CDialog& dialog, int id);
    bool PressEnter(CDialog& dialog);
    bool PressEscape(CDialog& dialog);
    bool SysCommand(CDialog& dialog, unsigned command);
    bool MenuCommand(CDialog& dialog, int id);

    // What the operator sees (after settling).
    // The dialog that takes the operator's input now, or none.
    CDialog* TopDialog();
    // Waits up to ms (steady time) while dialog stays the top one and the UI thread still has
    // something to wait for (a posted message or a timer); false when dialog is still on top.
    bool WaitWhileTop(CDialog& dialog, unsigned ms);
    bool IsShown(CDialog& dialog);
    std::string Caption(CDialog& dialog);
    std::string Text(CDialog& dialog, int id);
    bool Enabled(CDialog& dialog, int id);
    bool Visible(CDialog& dialog, int id);
    int Checked(CDialog& dialog, int id);
    std::vector<std::string> Items(CDialog& dialog, int id);
    uint32_t Address(CDialog& dialog, int id);
    int Limit(CDialog& dialog, int id);
    int Focus(CDialog& dialog);
    int IconId(CDialog& dialog);
    std::vector<std::pair<unsigned, std::string>> SystemMenuItems(CDialog& dialog);
    bool TimerArmed(CDialog& dialog, unsigned timerId);

    // Posted messages handled by a dialog since the last call, in order.
    struct Delivery {
        CDialog* dialog;
        Message message;
    };
    std::vector<Delivery> TakeDeliveries();

    // Message boxes shown since the last call, in order.
    std::vector<Box> TakeBoxes();
    // The same, only their texts.
    std::vector<std::string> TakeBoxTexts();
    // Answer for the next message box; unanswered boxes take their first button.
    void AnswerNextBox(int answer);
    // Sees each message box as it is shown, on the UI thread, and answers it; 0 leaves it to the
    // scripted answers. Set before Start.
    void SetBoxHandler(std::function<int(const std::string& text, unsigned type)> handler) {
        boxHandler_ = std::move(handler);
    }
    // Path the next file dialog returns; unanswered file dialogs are cancelled.
    void AnswerNextFileDialog(const std::string& path);
    struct FileDialog {
        FileDialogKind kind;
        FileFilter filter;
    };
    // File dialogs shown since the last call, in order.
    std::vector<FileDialog> TakeFileDialogs();
    std::string Clipboard();

  private:
    friend class HeadlessWindow;

    struct Item {
        enum class Kind { kJob, kPost, kTimer } kind;
        uint64_t window = 0;
        Message message;
        unsigned timerId = 0;
        std::function<void()> fn;
    };
    struct Timed {
        uint32_t due;
        uint64_t seq;
        uint64_t window;  // 0 for a scheduled function
        unsigned timerId;
        std::function<void()> fn;
    };

    // Lock held.
    // The time now: the virtual clock, or the steady clock's since construction.
    uint32_t NowLocked() const;
    bool NextReady(Item* item);
    bool HasReadyWork() const;
    int EarliestTimed() const;
    HeadlessWindow* Live(CDialog& dialog);
    bool IsTop(const HeadlessWindow* window) const;

    bool WaitItem(Item* item, HeadlessWindow& window);
    void Dispatch(Item& item);
    void Post(uint64_t window, Message message);
    void SetTimer(uint64_t window, unsigned timerId, unsigned ms);
    void KillTimer(uint64_t window, unsigned timerId);
    // Runs an operator action on the UI thread when the control takes it.
    bool Act(CDialog& dialog, int id, std::function<void(HeadlessWindow&)> action);
    template <typename T>
    T Read(CDialog& dialog, T empty, std::function<T(HeadlessWindow&)> read);

    const bool steady_;
    const std::chrono::steady_clock::time_point epoch_;
    mutable std::mutex mutex_;
    std::condition_variable workCv_;
    std::condition_variable idleCv_;
    std::thread uiThread_;
    bool idle_ = false;
    bool uiDone_ = true;
    bool stopping_ = false;
    uint32_t now_ = 0;
    uint32_t advanceTarget_ = 0;
    uint64_t nextSeq_ = 1;
    uint64_t nextWindow_ = 1;
    std::deque<Item> posted_;
    std::vector<Timed> timed_;
    std::map<uint64_t, HeadlessWindow*> live_;
    std::vector<HeadlessWindow*> stack_;
    std::vector<Box> boxes_;
    std::vector<Delivery> deliveries_;
    std::deque<int> answers_;
    std::function<int(const std::string&, unsigned)> boxHandler_;
    std::deque<std::string> fileAnswers_;
    std::vector<FileDialog> fileDialogs_;
    std::string clipboard_;
    std::map<unsigned, std::string> strings_;
};

}  // namespace ui
