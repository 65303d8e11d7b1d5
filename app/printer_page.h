// What the three printer pages share: how they close, receive their bytes, reach the panel, and
// run an exchange with the printer from its first request to its end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/panel.h"
#include "app/profile.h"
#include "app/trace_keys.h"
#include "link/rx_queue.h"
#include "ui/dialog.h"

// The controls through which every page shows an exchange.
struct PageButtons {
    int read;    // "Read WLAN Info"
    int save;    // "Save WLAN Info"
    int status;  // the read-only "Printer Status" field
};

enum class ExchangeKind { kRead, kSave };

// How an exchange ended, and so what the operator may do next.
enum class ExchangeEnd {
    kReadDone,     // "Read Success": Save is offered; Read stays off until a save or a failure
    kSaveDone,     // Read is offered again, Save withdrawn, and the panel's Close given back
    kFailed,       // a refusal, an error reply or a time-out: Read is offered, Save withdrawn
    kLinkDropped,  // as kFailed, with the link closed
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

    // Adds the page's own system-menu items.
    bool OnInitDialog() override;
    bool OnSysCommand(unsigned command) override;
    void OnMessage(const ui::Message& message) override;
    // Enter never ends a page.
    void OnOK() override {}

  protected:
    // One notification's bytes, already copied into m_rx: count bytes, then zeros to its end.
    virtual void OnPageData(uint32_t count) = 0;

    // Starts an exchange: both page buttons off until it ends; a save also takes the panel's Open
    // and Close away, so the link stays as it is while the printer writes its settings.
    void BeginExchange(ExchangeKind kind);
    // Sends bytes to the printer through the panel.
    void WriteComm(const uint8_t* data, uint32_t length);
    // A request: its frame written, then its reply timer armed. A header and its payload go out
    // as two writes, as the printers expect them.
    void SendRequest(const Bytes& frame, unsigned timerId, unsigned ms);
    void SendRequest(const Bytes& header, const Bytes& payload, unsigned timerId, unsigned ms);
    // Ends the exchange under way: its reply timer stopped, the message (if any) shown in a
    // warning box, then the page's buttons and the panel's as the end calls for.
    void EndExchange(ExchangeEnd end, const std::string& message = std::string());

    // The page's own copy of the notification being handled.
    uint8_t m_rx[CRxQueue::kSize] = {};

  private:
    // --- Profiles (printer_page_profile.cpp) ---
    // A profile is saved once the page has read its printer and while no exchange runs, and
    // loaded while the page offers Save.
    bool ReadyForProfile(bool toLoad);
    void SaveSettingsToFile();
    void LoadSettingsFromFile();

    unsigned pageMessage_;
    PageButtons buttons_;
    trace::KeyFinder traceKeys_;
    const profile::Family& profile_;
    unsigned replyTimer_ = 0;  // the timer of the last request sent
    bool read_ = false;        // a read has succeeded since the page came up
};
