// "Network check": the wait for the printer on its network after a save, and what it found.
#include "app/network_check_dlg.h"

#include <nlohmann/json.hpp>

#include <cctype>

#include "app/network_check_layout.h"
#include "provision/mac_address.h"
#include "ui/backend.h"

using namespace netcheck;
using Clock = std::chrono::steady_clock;

CNetworkCheckDlg::CNetworkCheckDlg(const NetworkTarget& target, const NetworkProbes& probes,
                                   std::chrono::seconds limit, Clock::time_point since,
                                   const std::string& mac, bool offerAddress)
    : ui::CDialog(NetworkCheckDesc()),
      target_(target),
      probes_(probes),
      limit_(limit),
      since_(since),
      mac_(mac),
      offerAddress_(offerAddress) {}

bool CNetworkCheckDlg::OnInitDialog() {
    for (int id : {IDC_NET_ADDRESS_LABEL, IDC_NET_ADDRESS, IDC_NET_CHECK})
        ShowItem(id, offerAddress_);
    StartWait(since_);
    return true;
}

std::string CNetworkCheckDlg::Where() const {
    std::string host = target_.address;
    if (host.empty())
        host = target_.mdnsName.empty() ? "the address of " + mac_ : target_.mdnsName;
    return host + ":" + std::to_string(target_.port);
}

void CNetworkCheckDlg::StartWait(Clock::time_point since) {
    result_ = NetworkResult();
    const uintptr_t generation = ++generation_;
    SetItemText(IDC_NET_RESULT, "");
    SetItemText(ui::kIdCancel, "Cancel");
    const auto limit = limit_.count();
    wait_.Start(target_, probes_, limit_, since,
                [this, generation, limit](int elapsed, const NetworkResult* result) {
                    // On the wait's thread: only posted, never shown from here.
                    const std::string text =
                        result != nullptr
                            ? NetworkJson(*result).dump()
                            : std::to_string(elapsed) + " s of " + std::to_string(limit);
                    Post({result != nullptr ? kWaitDone : kWaitNews, generation,
                          std::vector<uint8_t>(text.begin(), text.end())});
                });
    if (!target_.notChecked.empty())
        SetItemText(IDC_NET_PROGRESS, "");
}

void CNetworkCheckDlg::OnMessage(const ui::Message& message) {
    if ((message.id != kWaitNews && message.id != kWaitDone) || message.wParam != generation_ ||
        !result_.state.empty())
        return;
    const std::string text(message.payload.begin(), message.payload.end());
    if (message.id == kWaitNews)
        return SetItemText(IDC_NET_PROGRESS, "Waiting for " + Where() + " ... " + text);
    NetworkResult result;
    const nlohmann::json object = nlohmann::json::parse(text, nullptr, false);
    if (!object.is_discarded() && NetworkFromJson(object, &result))
        ShowResult(result);
}

void CNetworkCheckDlg::ShowResult(const NetworkResult& result) {
    result_ = result;
    std::string text = NetworkText(result);
    // The command line's words, without its "network: " heading.
    text = text.substr(text.find(": ") + 2);
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    if (result.state == "unreachable")
        text +=
            ".\n\"Restore newest backup...\" in the page's system menu brings back the "
            "settings the printer had before this save.";
    SetItemText(IDC_NET_PROGRESS, "After the save:");
    SetItemText(IDC_NET_RESULT, text);
    SetItemText(ui::kIdCancel, "Close");
}

void CNetworkCheckDlg::OnCommand(int id, int code) {
    if (code == ui::kBnClicked && id == IDC_NET_CHECK)
        return CheckEnteredAddress();
    ui::CDialog::OnCommand(id, code);
}

void CNetworkCheckDlg::CheckEnteredAddress() {
    const std::string address = GetItemText(IDC_NET_ADDRESS);
    if (!IsIpv4(address) || address == "0.0.0.0") {
        ui::AfxMessageBox("Enter the printer's IPv4 address, such as 10.0.0.21.");
        return;
    }
    target_.address = address;
    target_.foundBy = "entered";
    target_.notChecked.clear();
    // The operator's address gets a whole wait of its own.
    StartWait(Clock::now());
}

void CNetworkCheckDlg::OnCancel() {
    if (!result_.state.empty())
        return EndDialog(ui::kIdCancel);
    wait_.Cancel();
    ++generation_;
    NetworkResult cancelled;
    cancelled.state = "not_checked";
    cancelled.reason = "cancelled";
    cancelled.port = target_.port;
    ShowResult(cancelled);
}
