// What the three printer pages share: how they close, receive their bytes, reach the panel, and
// run an exchange with the printer from its first request to its end.
#include "app/printer_page.h"

#include <cstring>

#include "app/trace_dlg.h"
#include "res/resource.h"

CPrinterPage::CPrinterPage(const ui::DialogDesc& desc, unsigned pageMessage, PageButtons buttons,
                           trace::KeyFinder traceKeys, const profile::Family& profile)
    : ui::CDialog(desc),
      pageMessage_(pageMessage),
      buttons_(buttons),
      traceKeys_(traceKeys),
      profile_(profile) {
    SetSwallowsEnter(true);
}

bool CPrinterPage::OnInitDialog() {
    ui::CDialog::OnInitDialog();
    read_ = false;
    AppendSystemMenuItem(IDM_SAVE_SETTINGS, "Save settings to file...");
    AppendSystemMenuItem(IDM_LOAD_SETTINGS, "Load settings from file...");
    AppendSystemMenuItem(IDM_PROTOCOL_TRACE, "Protocol trace...");
    return true;
}

bool CPrinterPage::OnSysCommand(unsigned command) {
    if ((command & 0xFFF0) == IDM_SAVE_SETTINGS) {
        SaveSettingsToFile();
        return true;
    }
    if ((command & 0xFFF0) == IDM_LOAD_SETTINGS) {
        LoadSettingsFromFile();
        return true;
    }
    if ((command & 0xFFF0) == IDM_PROTOCOL_TRACE) {
        if (CPanel* panel = ThePanel()) {
            CTraceDlg traceWindow(panel->Trace());
            traceWindow.DoModal();
        }
        return true;
    }
    if ((command & 0xFFF0) == ui::kScClose) {
        // The close box drops the link first, then the default handling closes the page.
        if (CPanel* panel = ThePanel())
            panel->OnBnClickedClose();
        ShowMinimized();
    }
    return false;
}

void CPrinterPage::OnMessage(const ui::Message& message) {
    if (message.id != pageMessage_ || message.payload.empty())
        return;
    const uint32_t count = static_cast<uint32_t>(message.wParam);
    // The sender guarantees at least one zero byte after the data; never trust a count beyond
    // it, nor one the page's copy could not hold with its zero.
    if (count >= message.payload.size() || count >= sizeof m_rx)
        return;
    std::memset(m_rx, 0, sizeof m_rx);
    std::memcpy(m_rx, message.payload.data(), count);
    OnPageData(count);
}

void CPrinterPage::BeginExchange(ExchangeKind kind) {
    exchange_ = kind;
    exchanging_ = true;
    requestsSent_ = 0;
    if (observer_ != nullptr)
        observer_->OnExchangeBegun(kind);
    EnableItem(buttons_.read, false);
    EnableItem(buttons_.save, false);
    if (kind == ExchangeKind::kSave) {
        if (CPanel* panel = ThePanel())
            panel->EnableOpenClose(false, false);
    }
}

void CPrinterPage::WriteComm(const uint8_t* data, uint32_t length) {
    if (CPanel* panel = ThePanel())
        panel->WriteComm(data, length);
}

void CPrinterPage::SendRequest(const Bytes& frame, unsigned timerId, unsigned ms) {
    SendRequest(Bytes(), frame, timerId, ms);
}

void CPrinterPage::SendRequest(const Bytes& header, const Bytes& payload, unsigned timerId,
                               unsigned ms) {
    if (stopRequested_ && exchanging_)
        return EndExchange(ExchangeEnd::kLinkDropped);
    if (!header.empty())
        WriteComm(header.data(), static_cast<uint32_t>(header.size()));
    WriteComm(payload.data(), static_cast<uint32_t>(payload.size()));
    replyTimer_ = timerId;
    SetTimer(timerId, ms);
    ++requestsSent_;
    if (observer_ != nullptr && exchanging_) {
        const Bytes& head = header.empty() ? payload : header;
        observer_->OnRequestSent(
            {exchange_, requestsSent_, RequestsPlanned(exchange_), RequestName(head)});
    }
}

void CPrinterPage::EndExchange(ExchangeEnd end, const std::string& message) {
    KillTimer(replyTimer_);
    const bool wasExchanging = exchanging_;
    exchanging_ = false;
    stopRequested_ = false;
    if (!message.empty())
        ui::AfxMessageBox(message);
    SetButtonsAfter(end);
    if (observer_ != nullptr && wasExchanging)
        observer_->OnExchangeEnded(exchange_, end);
}

void CPrinterPage::SetButtonsAfter(ExchangeEnd end) {
    CPanel* panel = ThePanel();
    if (end == ExchangeEnd::kReadDone) {
        SetItemText(buttons_.status, "Read Success");
        read_ = true;
    }
    if (panel != nullptr)
        panel->NoteInTrace("Printer Status: " + GetItemText(buttons_.status));
    if (end == ExchangeEnd::kReadDone) {
        EnableItem(buttons_.save, true);
        return;
    }
    EnableItem(buttons_.read, true);
    EnableItem(buttons_.save, false);
    if (panel == nullptr)
        return;
    if (end == ExchangeEnd::kSaveDone)
        panel->EnableOpenClose(false, true);
    if (end == ExchangeEnd::kLinkDropped)
        panel->OnBnClickedClose();
}
