// Base class of every dialog: handlers, control access and data exchange against either backend.
#include "ui/dialog.h"

#include "ui/data_exchange.h"

namespace ui {

CDialog::CDialog(const DialogDesc& desc) : desc_(desc) {}

CDialog::~CDialog() = default;

int CDialog::DoModal() {
    return CurrentBackend().RunModal(*this);
}

void CDialog::EndDialog(int result) {
    if (window_ != nullptr)
        window_->End(result);
}

bool CDialog::IsWindow() const {
    std::lock_guard<std::mutex> lock(windowMutex_);
    return window_ != nullptr;
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnCommand(int id, int code) {
    if (code != kBnClicked)
        return;
    if (id == kIdOk)
        OnOK();
    if (id == kIdCancel)
        OnCancel();
}

void CDialog::OnTimer(unsigned) {}

bool CDialog::OnSysCommand(unsigned) {
    return false;
}

void CDialog::OnMessage(const Message&) {}

void CDialog::OnOK() {
    if (UpdateData(true))
        EndDialog(kIdOk);
}

void CDialog::OnCancel() {
    EndDialog(kIdCancel);
}

void CDialog::DoDataExchange(CDataExchange&) {}

void CDialog::OnMessageBoxShown(const std::string&) {}

bool CDialog::UpdateData(bool saveAndValidate) {
    if (window_ == nullptr)
        return false;
    CDataExchange dx(*this, saveAndValidate);
    DoDataExchange(dx);
    return !dx.Failed();
}

void CDialog::ShowData(const std::vector<int>& owned) {
    if (window_ == nullptr)
        return;
    CDataExchange dx(*this, false, owned);
    DoDataExchange(dx);
}

bool CDialog::TakeData(const std::vector<int>& owned) {
    if (window_ == nullptr)
        return false;
    CDataExchange dx(*this, true, owned);
    DoDataExchange(dx);
    return !dx.Failed();
}

void CDialog::Post(Message message) {
    std::lock_guard<std::mutex> lock(windowMutex_);
    if (window_ != nullptr)
        window_->Post(std::move(message));
}

void CDialog::Attach(DialogWindow* window) {
    std::lock_guard<std::mutex> lock(windowMutex_);
    window_ = window;
}

void CDialog::Detach() {
    Attach(nullptr);
}

std::string CDialog::GetItemText(int id) {
    return window_ ? window_->GetText(id) : std::string();
}
void CDialog::SetItemText(int id, const std::string& text) {
    if (window_)
        window_->SetText(id, text);
}
bool CDialog::IsItemEnabled(int id) {
    return window_ && window_->IsEnabled(id);
}
void CDialog::EnableItem(int id, bool enable) {
    if (window_)
        window_->Enable(id, enable);
}
bool CDialog::IsItemVisible(int id) {
    return window_ && window_->IsVisible(id);
}
void CDialog::ShowItem(int id, bool show) {
    if (window_)
        window_->Show(id, show);
}
int CDialog::GetCheck(int id) {
    return window_ ? window_->GetCheck(id) : 0;
}
void CDialog::SetCheck(int id, int check) {
    if (window_)
        window_->SetCheck(id, check);
}
int CDialog::GetCurSel(int id) {
    return window_ ? window_->GetCurSel(id) : -1;
}
void CDialog::SetCurSel(int id, int index) {
    if (window_)
        window_->SetCurSel(id, index);
}
int CDialog::GetItemCount(int id) {
    return window_ ? window_->GetItemCount(id) : 0;
}
std::string CDialog::GetLBText(int id, int index) {
    return window_ ? window_->GetItemText(id, index) : std::string();
}
void CDialog::AddString(int id, const std::string& text) {
    if (window_)
        window_->AddItem(id, text);
}
void CDialog::SetRowText(int id, int index, const std::string& text) {
    if (window_)
        window_->ReplaceItem(id, index, text);
}
void CDialog::ResetContent(int id) {
    if (window_)
        window_->ResetContent(id);
}
uint32_t CDialog::GetAddress(int id) {
    return window_ ? window_->GetAddress(id) : 0;
}
void CDialog::SetAddress(int id, uint32_t address) {
    if (window_)
        window_->SetAddress(id, address);
}
void CDialog::SetLimitText(int id, int limit) {
    if (window_)
        window_->SetLimitText(id, limit);
}
void CDialog::GotoDlgCtrl(int id) {
    if (window_)
        window_->SetFocus(id);
}
std::string CDialog::GetCaption() {
    return window_ ? window_->GetCaption() : std::string();
}
void CDialog::AppendSystemMenuItem(unsigned command, const std::string& text) {
    if (window_)
        window_->AppendSystemMenuItem(command, text);
}
void CDialog::SetIcon(int iconId) {
    if (window_)
        window_->SetIcon(iconId);
}
void CDialog::ShowMinimized() {
    if (window_)
        window_->Minimize();
}
void CDialog::SetTimer(unsigned timerId, unsigned ms) {
    if (window_)
        window_->SetTimer(timerId, ms);
}
void CDialog::KillTimer(unsigned timerId) {
    if (window_)
        window_->KillTimer(timerId);
}

}  // namespace ui
