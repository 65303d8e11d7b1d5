// What the three printer pages share: how they close, receive their bytes, reach the panel, and
// run an exchange with the printer from its first request to its end.
#include "page_shared/printer_page.h"

#include <cstring>

#include "page_shared/escape_frame.h"
#include "page_shared/trace_dlg.h"
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
    textEndsSeen_ = 0;
    AppendSystemMenuItem(IDM_SAVE_SETTINGS, "Save settings to file...");
    AppendSystemMenuItem(IDM_LOAD_SETTINGS, "Load settings from file...");
    AppendSystemMenuItem(IDM_PROTOCOL_TRACE, "Protocol trace...");
    if (Guard() != nullptr)
        AppendSystemMenuItem(IDM_RESTORE_BACKUP, "Restore newest backup...");
    return true;
}

void CPrinterPage::OnCommand(int id, int code) {
    if (code != ui::kEnKillFocus)
        return OnPageCommand(id, code);
    if (checkingField_)
        return;
    checkingField_ = true;
    struct Done {
        bool& running;
        ~Done() { running = false; }
    } done{checkingField_};
    OnPageCommand(id, code);
}

void CPrinterPage::OnTimer(unsigned timerId) {
    if (timerId != kQuietTimer)
        return OnPageTimer(timerId);
    KillTimer(kQuietTimer);
    TakeWholeReplies(true);
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
    if ((command & 0xFFF0) == IDM_RESTORE_BACKUP) {
        RestoreNewestBackup();
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
    Hold(message.payload.data(), count);
    TakeWholeReplies(false);
}

void CPrinterPage::Hold(const uint8_t* data, uint32_t count) {
    // What would overflow can never be part of a reply that fits: the request's timer ends it.
    const size_t room = sizeof held_ - heldCount_;
    const size_t taken = count < room ? count : room;
    std::memcpy(held_ + heldCount_, data, taken);
    heldCount_ += taken;
}

uint32_t CPrinterPage::Unhold(size_t count) {
    std::memset(m_rx, 0, sizeof m_rx);
    std::memcpy(m_rx, held_, count);
    Drop(count);
    return static_cast<uint32_t>(count);
}

void CPrinterPage::Drop(size_t count) {
    std::memmove(held_, held_ + count, heldCount_ - count);
    heldCount_ -= count;
}

void CPrinterPage::ForgetHeld() {
    heldCount_ = 0;
    KillTimer(kQuietTimer);
}

void CPrinterPage::TakeWholeReplies(bool quiet) {
    while (heldCount_ > 0) {
        reply::Cut cut = CutReply(awaiting_ ? &request_ : nullptr, held_, heldCount_);
        const unsigned kind = cut.textKind < 8 ? 1u << cut.textKind : 0;
        if (cut.fit == reply::Fit::kAnswer && cut.textKind != 0)
            textEndsSeen_ |= kind;
        // This printer ends such values with a text end: the rest of this one is still coming.
        if (cut.fit == reply::Fit::kAnswerIfQuiet && cut.textKind != 0 && (textEndsSeen_ & kind))
            cut = reply::Partial();
        if (cut.fit == reply::Fit::kAnswerIfQuiet || cut.fit == reply::Fit::kNoticeIfQuiet) {
            // Each new piece starts the gap again: only a line that stays quiet ends the reply.
            if (!quiet)
                return SetTimer(kQuietTimer, kQuietGapMs);
            cut.fit =
                cut.fit == reply::Fit::kAnswerIfQuiet ? reply::Fit::kAnswer : reply::Fit::kNotice;
        }
        // A grammar never claims more than is held; should one, nothing is taken.
        if (cut.length > heldCount_ ||
            ((cut.fit == reply::Fit::kAnswer || cut.fit == reply::Fit::kNotice) && cut.length == 0))
            return ForgetHeld();
        switch (cut.fit) {
            case reply::Fit::kPartial:
            case reply::Fit::kAnswerIfQuiet:
            case reply::Fit::kNoticeIfQuiet:
                return;
            // A reply to something else may share its notification with the one awaited: only
            // its own bytes go, up to where the next reply may begin.
            case reply::Fit::kStray:
            case reply::Fit::kJunk: {
                const void* esc = std::memchr(held_ + 1, escape::kEsc, heldCount_ - 1);
                Drop(esc ? static_cast<size_t>(static_cast<const uint8_t*>(esc) - held_)
                         : heldCount_);
                break;
            }
            case reply::Fit::kNotice:
                OnPageData(Unhold(cut.length));
                break;
            case reply::Fit::kAnswer: {
                // Bytes after a whole reply belong to nothing the page asked for.
                const uint32_t count = Unhold(cut.length);
                ForgetHeld();
                awaiting_ = false;
                return OnPageData(count);
            }
        }
    }
}

void CPrinterPage::BeginExchange(ExchangeKind kind) {
    ForgetHeld();
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
    Dispatch(header, payload);
    replyTimer_ = timerId;
    SetTimer(timerId, ms);
}

void CPrinterPage::RepeatRequest(const Bytes& frame) {
    if (stopRequested_ && exchanging_)
        return EndExchange(ExchangeEnd::kLinkDropped);
    Dispatch(Bytes(), frame);
}

void CPrinterPage::Dispatch(const Bytes& header, const Bytes& payload) {
    // Whatever was held answered an earlier request.
    ForgetHeld();
    request_ = header;
    request_.insert(request_.end(), payload.begin(), payload.end());
    awaiting_ = true;
    if (!header.empty())
        WriteComm(header.data(), static_cast<uint32_t>(header.size()));
    WriteComm(payload.data(), static_cast<uint32_t>(payload.size()));
    ++requestsSent_;
    if (observer_ != nullptr && exchanging_) {
        const Bytes& head = header.empty() ? payload : header;
        observer_->OnRequestSent(
            {exchange_, requestsSent_, RequestsPlanned(exchange_), RequestName(head)});
    }
}

void CPrinterPage::OnLinkLost() {
    if (exchanging_)
        EndExchange(ExchangeEnd::kLinkDropped);
}

void CPrinterPage::EndExchange(ExchangeEnd end, const std::string& message) {
    KillTimer(replyTimer_);
    ForgetHeld();
    awaiting_ = false;
    const bool wasExchanging = exchanging_;
    exchanging_ = false;
    stopRequested_ = false;
    if (!message.empty())
        ui::AfxMessageBox(message);
    SetButtonsAfter(end);
    if (end == ExchangeEnd::kReadDone)
        KeepReadSettings();
    if (wasExchanging && exchange_ == ExchangeKind::kSave)
        SaveEnded(end == ExchangeEnd::kSaveDone);
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
    // However an exchange ends, the operator can read the printer again.
    EnableItem(buttons_.read, true);
    EnableItem(buttons_.save, end == ExchangeEnd::kReadDone);
    if (panel == nullptr)
        return;
    if (end == ExchangeEnd::kSaveDone)
        panel->EnableOpenClose(false, true);
    if (end == ExchangeEnd::kLinkDropped)
        panel->OnBnClickedClose();
}
