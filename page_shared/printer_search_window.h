// A window of no controls over a printer search: it hands its timer and its posted messages to the
// search. The command line runs searches in it; a dialog of controls over a search is built the
// same way.
#pragma once

#include "page_shared/printer_search.h"
#include "ui/dialog.h"

inline const ui::DialogDesc kPrinterSearchWindowDesc{0,    "Printer search", 0, 0, 0, false, {},
                                                     false};

class CPrinterSearchWindow : public ui::CDialog {
  public:
    static constexpr unsigned kSearchTimer = 1;
    static constexpr unsigned kSearchNews = ui::kWmUser + 1;

    explicit CPrinterSearchWindow(CLinkProvider& links)
        : ui::CDialog(kPrinterSearchWindowDesc), search(*this, links, kSearchTimer, kSearchNews) {}

    void OnTimer(unsigned timerId) override { search.OnTimer(timerId); }
    void OnMessage(const ui::Message& message) override { search.OnMessage(message); }

    CPrinterSearch search;
};
