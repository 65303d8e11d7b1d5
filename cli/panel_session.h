// The utility's own panel and pages, run without windows on the steady clock and driven the way
// an operator drives them, over the serial ports of this system.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/zephra_dlg.h"
#include "cli/cli_options.h"
#include "link/posix_link_provider.h"
#include "ui/headless/headless_backend.h"

class CPanelSession {
  public:
    enum class Family { kNone, kCurrent, kLegacy, kModule };

    // Shows the panel; the session's backend is the one in use until the session ends.
    CPanelSession();
    ~CPanelSession();
    CPanelSession(const CPanelSession&) = delete;
    CPanelSession& operator=(const CPanelSession&) = delete;

    // Chooses the link's settings and presses Open, which also starts the identification. False,
    // with the system's reason in *error, when the port could not be opened.
    bool Open(const LinkChoice& link, std::string* error);
    // Waits for the identification to show a page; kNone when the panel refused the printer.
    Family WaitForPage();
    // The model character the printer named, 0 when it said nothing.
    uint8_t Model();
    // The texts of the message boxes shown since the last call, in order.
    std::vector<std::string> TakeMessages() { return ui_.TakeBoxTexts(); }

  private:
    CPosixLinkProvider links_;
    ui::HeadlessBackend ui_;
    CZephraDlg dlg_;
};

// "current", "legacy" or "module"; empty for none.
const char* FamilyName(CPanelSession::Family family);
