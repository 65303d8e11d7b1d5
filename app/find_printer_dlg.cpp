// "Find printer...": lists every port of the PC, asks every serial port at once which printer
// answers, and hands the port the operator chooses back to the panel.
#include "app/find_printer_dlg.h"

#include <string>
#include <utility>

#include "app/find_printer_layout.h"
#include "page_shared/identification.h"

using namespace findprinter;
using State = CPrinterSearch::State;

namespace {

// What the operator reads of a device: the system's name and the USB ids where there are any.
std::string DeviceText(const PortInfo& port) {
    std::string text = port.description;
    if (!port.vendorId.empty())
        text += (text.empty() ? "" : " ") + std::string("(") + port.vendorId + ":" +
                port.productId + ")";
    return text;
}

std::string AnswerText(const CPrinterSearch::Row& row) {
    switch (row.state) {
        case State::kAsking:
            return "asking...";
        case State::kIdentified:
            return std::string("model '") + static_cast<char>(row.model) + "', " +
                   identification::FamilyName(row.family);
        case State::kRefused:
            return identification::RefusalText(row.verdict);
        case State::kNoAnswer:
            return "no answer";
        case State::kInUse:
            return "in use by another program";
        case State::kOpenFailed:
            return "cannot open: " + row.openError;
        case State::kPortClosed:
            return "the port closed";
        case State::kCancelled:
            return "not asked";
    }
    return std::string();
}

}  // namespace

CFindPrinterDlg::CFindPrinterDlg(CLinkProvider& links, std::vector<PortInfo> ports,
                                 const SerialSettings& settings)
    : ui::CDialog(FindPrinterDesc()),
      ports_(std::move(ports)),
      settings_(settings),
      search_(*this, links, kSearchTimer, kSearchNews) {
    search_.OnChange([this](size_t index) {
        if (index < searchedRows_.size())
            SetRowText(IDC_FIND_PORTS, static_cast<int>(searchedRows_[index]),
                       RowText(searchedRows_[index]));
        ShowProgress();
    });
}

bool CFindPrinterDlg::OnInitDialog() {
    for (size_t i = 0; i < ports_.size(); ++i)
        AddString(IDC_FIND_PORTS, RowText(i));
    Search();
    return true;
}

void CFindPrinterDlg::Search() {
    std::vector<std::string> serial;
    searchedRows_.clear();
    for (size_t i = 0; i < ports_.size(); ++i) {
        if (ports_[i].kind == PortInfo::Kind::kSerial) {
            serial.push_back(ports_[i].path);
            searchedRows_.push_back(i);
        }
    }
    search_.Start(serial, settings_);
    for (size_t row : searchedRows_)
        SetRowText(IDC_FIND_PORTS, static_cast<int>(row), RowText(row));
    ShowProgress();
}

std::string CFindPrinterDlg::RowText(size_t i) const {
    const PortInfo& port = ports_[i];
    std::string answer = "USB printer: Open asks it";
    for (size_t k = 0; k < searchedRows_.size(); ++k) {
        if (searchedRows_[k] == i && k < search_.Rows().size())
            answer = AnswerText(search_.Rows()[k]);
    }
    return port.path + "\t" + DeviceText(port) + "\t" + answer;
}

void CFindPrinterDlg::ShowProgress() {
    size_t printers = 0;
    for (const CPrinterSearch::Row& row : search_.Rows())
        printers += row.state == State::kIdentified;
    const size_t asked = search_.Rows().size();
    std::string text;
    if (ports_.empty()) {
        text = "This PC has no serial port and no USB printer.";
    } else if (search_.Searching()) {
        text = "Asking " + std::to_string(asked) + (asked == 1 ? " port" : " ports") + "...";
    } else {
        text = std::to_string(printers) +
               (printers == 1 ? " printer answered" : " printers answered") + " on " +
               std::to_string(asked) + (asked == 1 ? " serial port." : " serial ports.");
    }
    SetItemText(IDC_FIND_STATUS, text);
}

void CFindPrinterDlg::OnCommand(int id, int code) {
    if (id == IDC_FIND_PORTS && code == ui::kListDoubleClick)
        return Use();
    if (code == ui::kBnClicked && id == IDC_FIND_USE)
        return Use();
    if (code == ui::kBnClicked && id == IDC_FIND_AGAIN)
        return Search();
    ui::CDialog::OnCommand(id, code);
}

void CFindPrinterDlg::OnOK() {
    Use();
}

void CFindPrinterDlg::Use() {
    const int row = GetCurSel(IDC_FIND_PORTS);
    if (row < 0 || static_cast<size_t>(row) >= ports_.size()) {
        ui::AfxMessageBox("Choose a port in the list first.");
        return;
    }
    chosen_ = static_cast<size_t>(row);
    // The ports asked are let go before the panel opens the one chosen.
    search_.Cancel();
    EndDialog(ui::kIdOk);
}

void CFindPrinterDlg::OnTimer(unsigned timerId) {
    search_.OnTimer(timerId);
}

void CFindPrinterDlg::OnMessage(const ui::Message& message) {
    search_.OnMessage(message);
}
