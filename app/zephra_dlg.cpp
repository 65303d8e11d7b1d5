// The connection panel: link choice and serial parameters, Open and Close, the status line.
#include "app/zephra_dlg.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

#include "app/about_dlg.h"
#include "app/find_printer_dlg.h"
#include "app/main_dialog_layout.h"
#include "app/port_settings.h"
#include "res/resource.h"
#include "ui/data_exchange.h"

namespace {

constexpr uint32_t kIdentifyWaitMs = 500;

constexpr int kSerialSettingControls[] = {
    IDC_LABEL_PORT, IDC_LABEL_BAUD, IDC_LABEL_PARITY, IDC_LABEL_DATABIT, IDC_LABEL_STOPBIT,
    IDC_COMBO_PORT, IDC_COMBO_BAUD, IDC_COMBO_PARITY, IDC_COMBO_DATABIT, IDC_COMBO_STOPBIT,
};

}  // namespace

CZephraDlg::CZephraDlg(CLinkProvider& links) : ui::CDialog(MainDialogDesc()), links_(links) {}

CZephraDlg::~CZephraDlg() {
    // The reader posts to this dialog: it must be gone before the dialog is.
    if (link_)
        link_->Close();
}

void CZephraDlg::DoDataExchange(ui::CDataExchange& dx) {
    dx.ComboText(IDC_COMBO_PORT, m_strPort);
    dx.ComboText(IDC_COMBO_BAUD, m_strBaud);
    dx.ComboText(IDC_COMBO_DATABIT, m_strDataBit);
    dx.ComboText(IDC_COMBO_STOPBIT, m_strStopBit);
    dx.Text(IDC_STATUS, m_strStatus);
}

bool CZephraDlg::OnInitDialog() {
    ui::CDialog::OnInitDialog();
    const std::string about = ui::CurrentBackend().LoadText(IDS_ABOUTBOX);
    if (!about.empty())
        AppendSystemMenuItem(IDM_ABOUTBOX, about);
    SetIcon(IDR_MAINFRAME);

    SetCurSel(IDC_COMBO_PORT, 0);
    SetCurSel(IDC_COMBO_BAUD, 3);
    SetCurSel(IDC_COMBO_PARITY, 0);
    SetCurSel(IDC_COMBO_DATABIT, 0);
    SetCurSel(IDC_COMBO_STOPBIT, 0);
    SetCheck(IDC_SERIAL, 1);

    m_bWaitModel = false;
    m_pShownPage = nullptr;
    m_bPage1Read = false;
    m_bPage1Save = false;
    return true;
}

void CZephraDlg::OnCommand(int id, int code) {
    if (code == ui::kBnClicked) {
        switch (id) {
            case IDC_OPEN:
                OnBnClickedOpen();
                return;
            case IDC_CLOSE:
                OnBnClickedClose();
                return;
            case IDC_SERIAL:
                OnBnClickedSerial();
                return;
            case IDC_USB:
                OnBnClickedUsb();
                return;
            case ID_FILE_EXIT:
                OnOK();
                return;
            case ID_HELP_ABOUT:
                ShowAbout();
                return;
            case ID_FILE_FIND_PRINTER:
                FindPrinter();
                return;
            case ID_FILE_PROVISION_SETTINGS:
                if (guard_)
                    guard_->EditSettings();
                return;
        }
    }
    ui::CDialog::OnCommand(id, code);
}

bool CZephraDlg::OnSysCommand(unsigned command) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX)
        return false;
    ShowAbout();
    return true;
}

void CZephraDlg::FindPrinter() {
    // The search asks every port, the one this panel holds too: let it go first.
    if (IsConnected())
        OnBnClickedClose();
    std::vector<PortInfo> ports;
    std::string error;
    if (listPorts_ && !listPorts_(&ports, &error)) {
        ui::AfxMessageBox("The ports of this PC cannot be listed: " + error);
        return;
    }
    UpdateData(true);
    CFindPrinterDlg find(
        links_, std::move(ports),
        MakeSerialSettings("", m_strBaud, GetCurSel(IDC_COMBO_PARITY), m_strDataBit, m_strStopBit));
    if (find.DoModal() != ui::kIdOk)
        return;
    const PortInfo& chosen = find.Chosen();
    const bool usb = chosen.kind == PortInfo::Kind::kUsb;
    CheckRadio(std::initializer_list<int>{IDC_SERIAL, IDC_USB}, usb ? IDC_USB : IDC_SERIAL);
    EnableSerialSettings(!usb);
    if (usb)
        return;
    // A port beyond the list's (COM21 and up) joins it for this run.
    int index = -1;
    for (int i = 0; i < GetItemCount(IDC_COMBO_PORT) && index < 0; ++i) {
        if (GetLBText(IDC_COMBO_PORT, i) == chosen.path)
            index = i;
    }
    if (index < 0) {
        AddString(IDC_COMBO_PORT, chosen.path);
        index = GetItemCount(IDC_COMBO_PORT) - 1;
    }
    SetCurSel(IDC_COMBO_PORT, index);
}

void CZephraDlg::ShowAbout() {
    CAboutDlg about;
    about.DoModal();
}

void CZephraDlg::OnMessage(const ui::Message& message) {
    if (message.id == WM_COMM_READ) {
        OnCommRead();
    } else if (message.id == WM_LINK_EVENT) {
        OnLinkEvent(static_cast<LinkEvent>(message.wParam & 3),
                    static_cast<uint32_t>(message.wParam >> 2));
    } else if (message.id == CWindowSaveGuard::kNetworkCheckDue && guard_) {
        guard_->RunDueCheck();
    }
}

void CZephraDlg::SetProvision(WindowProvision provision) {
    guard_ = std::make_unique<CWindowSaveGuard>(*this, *this, std::move(provision));
}

NotifyFn CZephraDlg::MakeNotify() {
    const uint32_t generation = linkGeneration_;
    return [this, generation](LinkEvent event) {
        if (event == LinkEvent::kData) {
            Post(ui::Message{WM_COMM_READ, 0, {}});
        } else {
            const uintptr_t tagged =
                (static_cast<uintptr_t>(generation) << 2) | static_cast<uintptr_t>(event);
            Post(ui::Message{WM_LINK_EVENT, tagged, {}});
        }
    };
}

void CZephraDlg::OnLinkEvent(LinkEvent event, uint32_t generation) {
    // The link that posted this has been closed since; its news no longer applies.
    const auto current = [&] { return link_ && generation == linkGeneration_; };
    if (!current())
        return;
    if (event == LinkEvent::kQueueFull) {
        // While the box is up, the reader may overflow again; that only drains the queue.
        if (!queueFullShown_) {
            queueFullShown_ = true;
            ui::AfxMessageBox("m_QueueRead FULL!");
            queueFullShown_ = false;
        }
        OnCommRead();
    } else if (event == LinkEvent::kDisconnected) {
        // The exchange under way ends now rather than at its reply timer, and closes the link.
        if (CPrinterPage* page = m_pShownPage)
            page->OnLinkLost();
        ui::AfxMessageBox(usbOpen_ ? "Disconnect the USB communication. Connect the USB port again!"
                                   : "The port closed.");
        // The box's loop may have let a page close the link already.
        if (current())
            ReleaseLink();
    }
}

void CZephraDlg::OnTimer(unsigned timerId) {
    if (timerId != kModelTimer)
        return;
    KillTimer(kModelTimer);
    m_bWaitModel = false;
    Route(identity_.JudgeAtTimeout());
}

void CZephraDlg::Route(identification::Verdict verdict) {
    using identification::Family;
    switch (verdict) {
        case identification::Verdict::kModel:
            ShowPage(PageFor(identity_.RoutedFamily()));
            return;
        case identification::Verdict::kSilent:
            // No model named within the time: only the Wi-Fi module stays silent.
            ShowPage(PageFor(Family::kModule));
            return;
        case identification::Verdict::kUnknownModel:
        case identification::Verdict::kTwoBytes:
            RefuseIdentity(identification::RefusalText(verdict));
            return;
        case identification::Verdict::kWaiting:
            return;
    }
}

void CZephraDlg::RefuseIdentity(const char* message) {
    KillTimer(kModelTimer);
    ui::AfxMessageBox(message);
    OnBnClickedClose();
}

CPrinterPage& CZephraDlg::PageFor(identification::Family family) {
    switch (family) {
        case identification::Family::kCurrent:
            return m_page1;
        case identification::Family::kLegacy:
            return m_page2;
        case identification::Family::kModule:
        case identification::Family::kNone:
            break;
    }
    return m_page3;
}

void CZephraDlg::ShowPage(CPrinterPage& page) {
    KillTimer(kModelTimer);
    m_pShownPage = &page;
    // The page's modal loop keeps dispatching this dialog's messages, so later notifications run
    // OnCommRead nested in here and reach the page.
    page.DoModal();
    // However the page ended, Open and Close follow the link: a page that ended in the middle of
    // a save must not leave the operator without either.
    EnableOpenClose(!IsConnected(), IsConnected());
}

int CZephraDlg::OnCommRead() {
    std::memset(m_RxBuffer, 0, sizeof m_RxBuffer);
    const int n = m_QueueRead.GetCount();
    if (n < 1)
        return -1;
    for (int i = 0; i < n; ++i)
        m_QueueRead.Get(&m_RxBuffer[i]);
    trace_.Received(ui::CurrentBackend().TickCount(), m_RxBuffer, static_cast<size_t>(n),
                    TraceKeys());

    if (m_bWaitModel) {
        // The reply may come in pieces.
        if (!identity_.Take(m_RxBuffer, static_cast<size_t>(n)))
            return 1;
        m_bWaitModel = false;
        Route(identity_.Judge());
        // The page has closed by now, so what follows reaches no page: the reply that chose
        // the page is never delivered to it.
    }
    ForwardToPage(static_cast<uint32_t>(n));
    return 1;
}

void CZephraDlg::ForwardToPage(uint32_t count) {
    CPrinterPage* page = m_pShownPage;
    if (page == nullptr)
        return;
    std::printf("send page%u msg\n", page->PageMessage() - WM_PAGE1_DATA + 1);
    // Each page message carries its own copy: a later notification rewrites m_RxBuffer before
    // the page may have handled this one.
    page->Post(ui::Message{page->PageMessage(), count,
                           std::vector<uint8_t>(m_RxBuffer, m_RxBuffer + sizeof m_RxBuffer)});
}

void CZephraDlg::ShowStatus() {
    // Only the status: a port, speed or format chosen since Open stays for the next Open.
    ShowData({IDC_STATUS});
}

void CZephraDlg::EnableOpenClose(bool open, bool close) {
    EnableItem(IDC_OPEN, open);
    EnableItem(IDC_CLOSE, close);
}

void CZephraDlg::EnableSerialSettings(bool enable) {
    for (int id : kSerialSettingControls)
        EnableItem(id, enable);
}

void CZephraDlg::OnBnClickedSerial() {
    EnableSerialSettings(true);
}

void CZephraDlg::OnBnClickedUsb() {
    EnableSerialSettings(false);
}

void CZephraDlg::OnBnClickedOpen() {
    UpdateData(true);
    EnableOpenClose(false, true);
    if (GetCheck(IDC_USB)) {
        USB_Connection();
    } else {
        OpenPort(MakeSerialSettings(m_strPort, m_strBaud, GetCurSel(IDC_COMBO_PARITY), m_strDataBit,
                                    m_strStopBit));
    }
    // The identification runs whatever the open returned: silence leads to a page of its own.
    m_bWaitModel = true;
    identity_.Reset();
    WriteComm(identification::kRequest, sizeof identification::kRequest);
    SetTimer(kModelTimer, kModelTimeoutMs);
    WaitForIdentity(kIdentifyWaitMs);
}

void CZephraDlg::OnBnClickedClose() {
    EnableOpenClose(true, false);
    m_pShownPage = nullptr;
    m_bPage1Read = false;
    m_bPage1Save = false;
    m_bWaitModel = false;
    m_strStatus = "Close Port";
    ReleaseLink();
    ShowStatus();
}

bool CZephraDlg::OpenPort(const SerialSettings& settings) {
    // A link left open by an earlier Open would keep its port and reader: release it first.
    ReleaseLink();
    const SerialOpenResult result = links_.OpenSerial(settings, m_QueueRead, MakeNotify(), &link_);
    if (result == SerialOpenResult::kOpened) {
        usbOpen_ = false;
        m_strStatus = "Success";
        ShowStatus();
        return true;
    }
    m_strStatus = "Unable to open the port";
    ShowStatus();
    if (result == SerialOpenResult::kWatchFailed) {
        ui::AfxMessageBox("Error while creating ThreadWatchComm, " + settings.portName);
    }
    return false;
}

void CZephraDlg::ReleaseLink() {
    if (link_) {
        link_->Close();
        link_.reset();
    }
    // Kept to 30 bits: the tag shares a 32-bit wParam with the event.
    linkGeneration_ = (linkGeneration_ + 1) & 0x3FFFFFFFu;
}

bool CZephraDlg::USB_Connection() {
    if (link_) {
        std::printf("Already Connected\n");
        m_strStatus = "Already Connected\n";
        ShowStatus();
        return false;
    }
    // A link that failed or was dropped earlier must not keep its device: search afresh.
    ReleaseLink();
    const UsbOpenResult result = links_.OpenUsb(
        m_QueueRead, MakeNotify(),
        [this] { return m_pShownPage == &m_page1 && m_bPage1Read && !m_bPage1Save; }, &link_);
    if (result == UsbOpenResult::kOpened) {
        usbOpen_ = true;
        m_strStatus = "USB connection success";
        ShowStatus();
        return true;
    }
    if (result == UsbOpenResult::kNoAcceptedDevice)
        ui::AfxMessageBox("This is NOT QUARNE printer.");
    // Every failure says so, so that an older success text never outlives a failed open.
    m_strStatus = "Unable open the port!";
    ShowStatus();
    return false;
}

uint32_t CZephraDlg::WriteComm(const uint8_t* data, uint32_t length) {
    if (!link_)
        return 0;
    trace_.Sent(ui::CurrentBackend().TickCount(), data, length, TraceKeys());
    return link_->WriteComm(data, length);
}

trace::KeyFinder CZephraDlg::TraceKeys() const {
    const CPrinterPage* page = m_pShownPage;
    return page != nullptr ? page->TraceKeys() : nullptr;
}

void CZephraDlg::NoteInTrace(const std::string& text) {
    trace_.Note(ui::CurrentBackend().TickCount(), text);
}

void CZephraDlg::OnMessageBoxShown(const std::string& text) {
    NoteInTrace("Message: " + text);
}

void CZephraDlg::WaitForIdentity(uint32_t ms) {
    ui::Backend& backend = ui::CurrentBackend();
    const uint32_t start = backend.TickCount();
    // Once the reply has named its page (or been refused) there is nothing left to wait for.
    while (m_bWaitModel && backend.TickCount() - start < ms) {
        backend.PumpMessages();
        backend.Sleep(10);
    }
}
