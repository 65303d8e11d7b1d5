// "Find printer...": lists every port of the PC, asks every serial port at once which printer
// answers, and hands the port the operator chooses back to the panel.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "link/link.h"
#include "link/port_list.h"
#include "page_shared/printer_search.h"
#include "ui/dialog.h"

class CFindPrinterDlg : public ui::CDialog {
  public:
    // The serial ports are asked with the line settings (the port name left out); USB printers
    // are listed but not asked, as the USB link opens the first one it finds.
    CFindPrinterDlg(CLinkProvider& links, std::vector<PortInfo> ports,
                    const SerialSettings& settings);

    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
    void OnOK() override;
    void OnTimer(unsigned timerId) override;
    void OnMessage(const ui::Message& message) override;

    // The port chosen, once the dialog ended with IDOK.
    const PortInfo& Chosen() const { return ports_[chosen_]; }

  private:
    static constexpr unsigned kSearchTimer = 1;
    static constexpr unsigned kSearchNews = ui::kWmUser + 1;

    void Search();
    // Row i of the list, as the port and what is known of it read now.
    std::string RowText(size_t i) const;
    void ShowProgress();
    void Use();

    std::vector<PortInfo> ports_;
    SerialSettings settings_;
    CPrinterSearch search_;
    // The list's row of each port the search asks, in the search's order.
    std::vector<size_t> searchedRows_;
    size_t chosen_ = 0;
};
