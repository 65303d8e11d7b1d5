// What the three printer pages share: how they close, receive their bytes, reach the panel, and
// run an exchange with the printer from its first request to its end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/rx_queue.h"
#include "page_shared/panel.h"
#include "page_shared/profile.h"
#include "page_shared/reply_cut.h"
#include "page_shared/trace_keys.h"
#include "ui/dialog.h"

// The controls through which every page shows an exchange and the printer it read.
struct PageButtons {
    int read;     // "Read WLAN Info"
    int save;     // "Save WLAN Info"
    int status;   // the read-only "Printer Status" field
    int version;  // the read-only "Version" and "MAC Address" fields
    int mac;
};

enum class ExchangeKind { kRead, kSave };

// How an exchange ended, and so what the operator may do next.
enum class ExchangeEnd {
    kReadDone,     // "Read Success": Read and Save are offered
    kSaveDone,     // Read is offered again, Save withdrawn, and the panel's Close given back
    kFailed,       // a refusal, an error reply or a time-out: Read is offered, Save withdrawn
    kLinkDropped,  // as kFailed, with the link closed
};

// One request of an exchange, as progress tells it.
struct RequestProgress {
    ExchangeKind kind;
    unsigned count;    // its place in the exchange, from 1
    unsigned planned;  // the requests the exchange sends in all, as far as the page knows now
    std::string name;  // what it reads or writes, as the page labels it ("SSID")
};

// Follows a page's exchanges as they happen (the command line's progress and results). Called on
// the user-interface thread.
class ExchangeObserver {
  public:
    virtual ~ExchangeObserver() = default;
    virtual void OnExchangeBegun(ExchangeKind kind) = 0;
    // A request has just been sent.
    virtual void OnRequestSent(const RequestProgress& progress) = 0;
    virtual void OnExchangeEnded(ExchangeKind kind, ExchangeEnd end) = 0;
};

class CPrinterPage : public ui::CDialog {
  public:
    using Bytes = std::vector<uint8_t>;

    // pageMessage is the posted message that carries the printer's bytes to this page; traceKeys
    // finds the key bytes in the family's frames; profile maps its settings to a profile.
    CPrinterPage(const ui::DialogDesc& desc, unsigned pageMessage, PageButtons buttons,
                 trace::KeyFinder traceKeys, const profile::Family& profile);

    unsigned PageMessage() const { return pageMessage_; }
    const PageButtons& Buttons() const { return buttons_; }
    trace::KeyFinder TraceKeys() const { return traceKeys_; }
    const profile::Family& Profile() const { return profile_; }

    // The settings a save of the page as it stands leaves unproven, and why: what the family's
    // save writes, and its read reports, hangs on the mode, the security and other choices shown.
    virtual std::vector<profile::Unproven> UnprovenSettings() = 0;

    // A read or save is under way: from its first request until it ends.
    bool IsExchanging() const { return exchanging_; }

    // nullptr for none.
    void SetExchangeObserver(ExchangeObserver* observer) { observer_ = observer; }
    // Lets the request under way finish, then ends the exchange before its next request and
    // closes the link, so a printer is never left with half a frame.
    void StopAfterCurrentRequest() { stopRequested_ = true; }
    // The link's line went away: the exchange under way ends now, with the link closed, rather
    // than at its reply timer.
    void OnLinkLost();

    // Every command reaches the page's OnPageCommand through here. A field check runs alone: a
    // modal box pumps messages and takes the focus, so while a check's box is up the field (or
    // the one the check sent the focus to) hears EN_KILLFOCUS again; that notice is dropped, or
    // the check would run inside itself and bring up box after box.
    void OnCommand(int id, int code) final;
    // The quiet gap's timer is the page's own; every other timer is the family's.
    void OnTimer(unsigned timerId) final;
    // Adds the page's own system-menu items.
    bool OnInitDialog() override;
    bool OnSysCommand(unsigned command) override;
    void OnMessage(const ui::Message& message) override;
    // Enter never ends a page.
    void OnOK() override {}

  protected:
    // The page's own handling of a command; by default the dialog's.
    virtual void OnPageCommand(int id, int code) { ui::CDialog::OnCommand(id, code); }
    // The family's reply timers.
    virtual void OnPageTimer(unsigned timerId) { ui::CDialog::OnTimer(timerId); }
    // One whole reply to the request outstanding, or a notice, already copied into m_rx: count
    // bytes, then zeros to its end.
    virtual void OnPageData(uint32_t count) = 0;
    // The family's grammar: where the reply in the held bytes ends and whether it answers
    // request, the last request sent (null when none awaits its reply).
    virtual reply::Cut CutReply(const Bytes* request, const uint8_t* held, size_t count) = 0;

    // Starts an exchange: both page buttons off until it ends; a save also takes the panel's Open
    // and Close away, so the link stays as it is while the printer writes its settings.
    void BeginExchange(ExchangeKind kind);
    // Once the family's checks have passed, before the first byte of a save: keeps the settings
    // the last read found, once per read, where the window keeps backups. False when none could
    // be kept and the operator would rather not save without one: nothing has changed then.
    bool MayWrite();
    // Sends bytes to the printer through the panel.
    void WriteComm(const uint8_t* data, uint32_t length);
    // A request: its frame written, then its reply timer armed. A header and its payload go out
    // as two writes, as the printers expect them.
    void SendRequest(const Bytes& frame, unsigned timerId, unsigned ms);
    void SendRequest(const Bytes& header, const Bytes& payload, unsigned timerId, unsigned ms);
    // Sends a request again under the reply timer that already runs for it.
    void RepeatRequest(const Bytes& frame);
    // Ends the exchange under way: its reply timer stopped, the message (if any) shown in a
    // warning box, then the page's buttons and the panel's as the end calls for.
    void EndExchange(ExchangeEnd end, const std::string& message = std::string());

    // What a request reads or writes, named as the page labels it, from its frame (the header of
    // a frame sent in two writes).
    virtual std::string RequestName(const Bytes& head) const = 0;
    // How many requests the exchange under way sends in all, as far as the page knows now.
    virtual unsigned RequestsPlanned(ExchangeKind kind) = 0;

    // The page's own copy of the notification being handled.
    uint8_t m_rx[CRxQueue::kSize] = {};

  private:
    // The page's buttons, status and the panel's, as the end calls for.
    void SetButtonsAfter(ExchangeEnd end);
    // Keeps a notification's bytes, then hands on what has become whole.
    void Hold(const uint8_t* data, uint32_t count);
    // quiet: the line has been quiet for the gap since the last bytes held.
    void TakeWholeReplies(bool quiet);
    // Copies the first count held bytes to m_rx and drops them from what is held.
    uint32_t Unhold(size_t count);
    void Drop(size_t count);
    void Dispatch(const Bytes& header, const Bytes& payload);
    void ForgetHeld();

    // --- Profiles (printer_page_profile.cpp) ---
    // A profile is saved once the page has read its printer and while no exchange runs, and
    // loaded while the page offers Save.
    bool ReadyForProfile(bool toLoad);
    void SaveSettingsToFile();
    void LoadSettingsFromFile();

    // --- Backups (printer_page_backup.cpp) ---
    static CSaveGuard* Guard();
    // "Read Success": what the read found is what a backup keeps.
    void KeepReadSettings();
    void RestoreNewestBackup();
    // The save under way has ended.
    void SaveEnded(bool saved);

    unsigned pageMessage_;
    PageButtons buttons_;
    trace::KeyFinder traceKeys_;
    const profile::Family& profile_;
    // Above every family's own timer ids.
    static constexpr unsigned kQuietTimer = 100;
    unsigned replyTimer_ = 0;  // the timer of the last request sent
    Bytes request_;            // the last request sent, header and payload
    bool awaiting_ = false;    // request_ has not had its reply yet
    // Bytes received since the last whole reply, request or end of an exchange: a reply may come
    // in any number of pieces. Never more than the receive queue holds.
    uint8_t held_[CRxQueue::kSize - 1] = {};
    size_t heldCount_ = 0;
    ExchangeObserver* observer_ = nullptr;
    ExchangeKind exchange_ = ExchangeKind::kRead;
    bool exchanging_ = false;
    bool stopRequested_ = false;
    // An EN_KILLFOCUS handler is running.
    bool checkingField_ = false;
    unsigned requestsSent_ = 0;  // in the exchange under way
    bool read_ = false;          // a read has succeeded since the page came up
    // The settings the last read found, keys included; "" when none could be taken.
    std::string readSettings_;
    bool backupKept_ = false;  // of the last read's settings
    std::string writing_;      // the settings the save under way writes, without keys
    // The kinds of reply (reply::Cut::textKind) the printer has ended with a text end since the
    // page came up, one bit each.
    unsigned textEndsSeen_ = 0;
};
