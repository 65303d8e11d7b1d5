// The connection panel: link choice and serial parameters, Open and Close, the status line, and
// the identification of the printer that decides which page talks to it.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "app/window_provision.h"
#include "app/window_save_guard.h"
#include "link/link.h"
#include "link/port_list.h"
#include "link/rx_queue.h"
#include "page_current/page1_new.h"
#include "page_legacy/page2_old.h"
#include "page_module/page3_marvuto.h"
#include "page_shared/identification.h"
#include "page_shared/messages.h"
#include "page_shared/panel.h"
#include "page_shared/trace.h"
#include "ui/dialog.h"

constexpr unsigned kModelTimer = 1;
constexpr unsigned kModelTimeoutMs = identification::kTimeoutMs;

class CZephraDlg : public ui::CDialog, public CPanel {
  public:
    explicit CZephraDlg(CLinkProvider& links);
    ~CZephraDlg() override;

    // --- What the pages use ---
    void EnableOpenClose(bool open, bool close) override;
    void OnBnClickedClose() override;
    // Sends bytes over the link that is open; 0 when none is.
    uint32_t WriteComm(const uint8_t* data, uint32_t length) override;
    const trace::ProtocolTrace& Trace() const override { return trace_; }
    void NoteInTrace(const std::string& text) override;
    CSaveGuard* SaveGuard() override { return guard_.get(); }
    // Where the trace also goes as it happens (the --trace file), and whether keys show.
    trace::ProtocolTrace& TraceSettings() { return trace_; }

    // --- Handlers ---
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
    void OnTimer(unsigned timerId) override;
    bool OnSysCommand(unsigned command) override;
    void OnMessage(const ui::Message& message) override;
    void DoDataExchange(ui::CDataExchange& dx) override;
    void OnMessageBoxShown(const std::string& text) override;

    void OnBnClickedOpen();
    void OnBnClickedSerial();
    void OnBnClickedUsb();
    // Hands one notification's bytes to the identification or to the page shown. Returns -1 when
    // there were none, 1 otherwise.
    int OnCommRead();

    // Dispatches the thread's messages while the identification reply is awaited, for at most ms
    // milliseconds.
    void WaitForIdentity(uint32_t ms);

    bool IsConnected() const { return link_ != nullptr; }
    // Where "Find printer..." learns the PC's ports: the system's list in the product.
    void SetPortLister(PortLister lister) { listPorts_ = std::move(lister); }
    // The window's backups before every save and its network check after one; the command
    // line, which keeps its own, sets none.
    void SetProvision(WindowProvision provision);
    bool IsWaitingForModel() const { return m_bWaitModel; }
    // The identification reply to the last Open, as far as it has come.
    const identification::CIdentityReply& Identity() const { return identity_; }

    CPage1New m_page1;
    CPage2Old m_page2;
    CPage3Marvuto m_page3;

  private:
    bool OpenPort(const SerialSettings& settings);
    bool USB_Connection();
    void ShowAbout();
    void FindPrinter();
    void EnableSerialSettings(bool enable);
    void ShowStatus();
    // Shows the page the identification names, or says why there is none.
    void Route(identification::Verdict verdict);
    CPrinterPage& PageFor(identification::Family family);
    // Says why the identification reply names no page, and closes the link.
    void RefuseIdentity(const char* message);
    void ShowPage(CPrinterPage& page);
    void ForwardToPage(uint32_t count);
    // The reader's callback for the link opened now: it only posts, tagged with the open it
    // belongs to.
    NotifyFn MakeNotify();
    void OnLinkEvent(LinkEvent event, uint32_t generation);
    // Closes and forgets the open link; events it posted earlier are ignored from then on.
    void ReleaseLink();

    CLinkProvider& links_;
    PortLister listPorts_;
    std::unique_ptr<CWindowSaveGuard> guard_;
    std::unique_ptr<CLink> link_;  // the link that is open, of whichever kind
    bool usbOpen_ = false;         // that link is the USB one
    uint32_t linkGeneration_ = 0;  // counts releases, so stale link events can be told apart
    bool queueFullShown_ = false;  // a queue-full box is open; another would only stack on it
    CRxQueue m_QueueRead;
    bool m_bWaitModel = false;
    identification::CIdentityReply identity_;
    // The page the printer's bytes go to: chosen by the identification, kept after the page
    // closes until the link does. The USB reader polls it per chunk, so it is atomic.
    std::atomic<CPrinterPage*> m_pShownPage{nullptr};
    uint8_t m_RxBuffer[CRxQueue::kSize] = {};

    // The key finder of the family the link talks to now, none before a page is chosen.
    trace::KeyFinder TraceKeys() const;

    trace::ProtocolTrace trace_;
    std::string m_strStatus;
    std::string m_strPort;
    std::string m_strBaud;
    std::string m_strDataBit;
    std::string m_strStopBit;
};
