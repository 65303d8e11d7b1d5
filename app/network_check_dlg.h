// "Network check": after a save, waits for the printer to accept a connection on its network,
// counting the seconds, and says what it found; Cancel ends the wait at once.
#pragma once

#include <chrono>
#include <string>

#include "provision/network_wait.h"
#include "provision/printer_network.h"
#include "ui/dialog.h"

class CNetworkCheckDlg : public ui::CDialog {
  public:
    // since: the Save click, from which limit counts. offerAddress: the printer takes its address
    // from DHCP, so the operator may know it better than any lookup.
    CNetworkCheckDlg(const NetworkTarget& target, const NetworkProbes& probes,
                     std::chrono::seconds limit, std::chrono::steady_clock::time_point since,
                     const std::string& mac, bool offerAddress);

    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
    void OnOK() override {}
    void OnCancel() override;
    void OnMessage(const ui::Message& message) override;

    // What the last wait found; state "" while it goes on.
    const NetworkResult& Result() const { return result_; }

  private:
    static constexpr unsigned kWaitNews = ui::kWmUser + 1;  // wParam: the wait's generation
    static constexpr unsigned kWaitDone = ui::kWmUser + 2;  // payload: the result's JSON

    void StartWait(std::chrono::steady_clock::time_point since);
    void CheckEnteredAddress();
    void ShowResult(const NetworkResult& result);
    // Where the wait looks, as the operator reads it.
    std::string Where() const;

    NetworkTarget target_;
    NetworkProbes probes_;
    std::chrono::seconds limit_;
    std::chrono::steady_clock::time_point since_;
    std::string mac_;
    bool offerAddress_;
    CNetworkWait wait_;
    uintptr_t generation_ = 0;  // news of an earlier wait is dropped
    NetworkResult result_;
};
