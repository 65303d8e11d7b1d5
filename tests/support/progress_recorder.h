// Records a page's progress as the command line sees it, to check the page's plan and names.
#pragma once

#include <string>
#include <vector>

#include "page_shared/printer_page.h"

class ProgressRecorder : public ExchangeObserver {
  public:
    void OnExchangeBegun(ExchangeKind) override { requests.clear(); }
    void OnRequestSent(const RequestProgress& progress) override { requests.push_back(progress); }
    void OnExchangeEnded(ExchangeKind, ExchangeEnd) override {}

    // "1/3 Name, 2/3 Name, ..." for the exchange under way or last ended.
    std::string Text() const {
        std::string text;
        for (const RequestProgress& r : requests) {
            text += (text.empty() ? "" : ", ") + std::to_string(r.count) + "/" +
                    std::to_string(r.planned) + " " + r.name;
        }
        return text;
    }

    std::vector<RequestProgress> requests;
};
