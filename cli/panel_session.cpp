// The utility's own panel and pages, run without windows on the steady clock and driven the way
// an operator drives them, over the serial ports and USB printers of this system.
#include "cli/panel_session.h"

#include <chrono>

#include "app/main_dialog_layout.h"
#include "cli/cli_platform.h"

namespace {

// The panel names a silent printer once its model timer runs out; this leaves room for a busy
// machine on top.
constexpr unsigned kIdentifyLimitMs = kModelTimeoutMs + 2000;

// Every request has its reply timer, so an exchange always ends; should a page ever wait with no
// timer running, the session gives up once nothing has been sent for this long.
constexpr auto kStallLimit = std::chrono::seconds(30);

}  // namespace

CPanelSession::CPanelSession(SessionHooks hooks)
    : hooks_(std::move(hooks)),
      links_(std::make_unique<CLinkLossWatch>(MakeCliLinks())),
      ui_(ui::HeadlessBackend::Clock::kSteady),
      dlg_(*links_) {
    ui_.SetBoxHandler(hooks_.answerBox);
    if (hooks_.traceLine)
        dlg_.TraceSettings().SetSink(hooks_.traceLine);
    ui::SetBackend(&ui_);
    ui_.Start([this] {
        ui_.SetMainWindow(&dlg_);
        dlg_.DoModal();
    });
}

CPanelSession::~CPanelSession() {
    ui_.Stop();
    ui::SetBackend(nullptr);
}

bool CPanelSession::Open(const LinkChoice& link, std::string* error) {
    if (link.usb || IsUsbPrinterPort(link.port)) {
        // The USB link opens the printer named, or else the panel's first one.
        links_->SetUsbDevice(link.usb ? FirstUsbPrinter() : link.port);
        ui_.Click(dlg_, IDC_USB);
    } else {
        // The port list offers COM1 to COM20; any other name, a device's path, is added to it as
        // the operator's choice.
        ui_.RunOnUi([&] {
            int index = dlg_.GetItemCount(IDC_COMBO_PORT) - 1;
            while (index >= 0 && dlg_.GetLBText(IDC_COMBO_PORT, index) != link.port)
                --index;
            if (index < 0) {
                dlg_.AddString(IDC_COMBO_PORT, link.port);
                index = dlg_.GetItemCount(IDC_COMBO_PORT) - 1;
            }
            dlg_.SetCurSel(IDC_COMBO_PORT, index);
        });
        ui_.Select(dlg_, IDC_COMBO_BAUD, link.baud);
        ui_.Select(dlg_, IDC_COMBO_PARITY, link.parity);
        ui_.Select(dlg_, IDC_COMBO_DATABIT, link.dataBits);
        ui_.Select(dlg_, IDC_COMBO_STOPBIT, link.stopBits);
    }
    ui_.Click(dlg_, IDC_OPEN);
    *error = links_->LastError();
    return error->empty();
}

CPanelSession::Family CPanelSession::WaitForPage() {
    ui_.WaitWhileTop(dlg_, kIdentifyLimitMs);
    const ui::CDialog* top = ui_.TopDialog();
    const struct {
        CPrinterPage* page;
        Family family;
    } pages[] = {
        {&dlg_.m_page1, Family::kCurrent},
        {&dlg_.m_page2, Family::kLegacy},
        {&dlg_.m_page3, Family::kModule},
    };
    for (const auto& p : pages) {
        if (top == p.page) {
            page_ = p.page;
            ui_.RunOnUi([this] { page_->SetExchangeObserver(this); });
            return p.family;
        }
    }
    return Family::kNone;
}

std::string CPanelSession::Model() {
    uint8_t model = 0;
    ui_.RunOnUi([&] { model = dlg_.Identity().Model(); });
    return model == 0 ? std::string() : std::string(1, static_cast<char>(model));
}

std::string CPanelSession::Shown(int PageButtons::*field) {
    std::string text;
    if (page_ != nullptr)
        ui_.RunOnUi([&] { text = page_->GetItemText(page_->Buttons().*field); });
    return text;
}

CPanelSession::Outcome CPanelSession::Run(ExchangeKind kind) {
    if (page_ == nullptr)
        return Outcome::kFailed;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // A stop that came before the page was shown holds for every exchange after it.
        if (stopped_)
            return Outcome::kStopped;
        if (links_->Lost())
            return Outcome::kPortClosed;
        began_ = done_ = false;
        requests_ = 0;
    }
    const PageButtons& buttons = page_->Buttons();
    if (!ui_.Click(*page_, kind == ExchangeKind::kRead ? buttons.read : buttons.save))
        return Outcome::kRefused;
    std::unique_lock<std::mutex> lock(mutex_);
    // The click's handler has run: a page that refused never began an exchange.
    if (!began_)
        return Outcome::kRefused;
    for (unsigned seen = ~0u; !done_ && seen != requests_;) {
        seen = requests_;
        ended_.wait_for(lock, kStallLimit, [this] { return done_; });
    }
    if (!done_)
        return Outcome::kFailed;
    if (links_->Lost())
        return Outcome::kPortClosed;
    if (stopped_ && end_ == ExchangeEnd::kLinkDropped)
        return Outcome::kStopped;
    return end_ == ExchangeEnd::kReadDone || end_ == ExchangeEnd::kSaveDone ? Outcome::kDone
                                                                            : Outcome::kFailed;
}

CPanelSession::Outcome CPanelSession::RehearseSave() {
    if (page_ == nullptr)
        return Outcome::kFailed;
    ui_.RunOnUi([this] { page_->StopAfterCurrentRequest(); });
    const Outcome outcome = Run(ExchangeKind::kSave);
    if (outcome == Outcome::kRefused)
        return outcome;
    return RequestsSent() == 0 ? Outcome::kDone : Outcome::kFailed;
}

void CPanelSession::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopped_ = true;
    }
    ui_.ScheduleAfter(0, [this] {
        if (page_ != nullptr)
            page_->StopAfterCurrentRequest();
    });
}

unsigned CPanelSession::RequestsSent() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

std::string CPanelSession::SaveProfile(bool includeKey, std::string* text) {
    std::string refusal = "No printer page is shown.";
    if (page_ != nullptr)
        ui_.RunOnUi(
            [&] { refusal = profile::SaveProfile(*page_, page_->Profile(), includeKey, text); });
    return refusal;
}

std::string CPanelSession::LoadProfile(const std::string& text) {
    std::string refusal = "No printer page is shown.";
    if (page_ != nullptr)
        ui_.RunOnUi([&] { refusal = profile::LoadProfile(*page_, page_->Profile(), text); });
    return refusal;
}

std::vector<profile::Unproven> CPanelSession::UnprovenSettings() {
    std::vector<profile::Unproven> unproven;
    if (page_ != nullptr)
        ui_.RunOnUi([&] { unproven = page_->UnprovenSettings(); });
    return unproven;
}

void CPanelSession::OnExchangeBegun(ExchangeKind) {
    std::lock_guard<std::mutex> lock(mutex_);
    began_ = true;
}

void CPanelSession::OnRequestSent(const RequestProgress& progress) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_ = progress.count;
    }
    if (hooks_.progress)
        hooks_.progress(progress);
}

void CPanelSession::OnExchangeEnded(ExchangeKind, ExchangeEnd end) {
    std::lock_guard<std::mutex> lock(mutex_);
    done_ = true;
    end_ = end;
    ended_.notify_all();
}
