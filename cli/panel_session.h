// The utility's own panel and pages, run without windows on the steady clock and driven the way
// an operator drives them, over the serial ports and USB printers of this system.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/zephra_dlg.h"
#include "cli/cli_options.h"
#include "cli/link_loss_watch.h"
#include "page_shared/identification.h"
#include "page_shared/printer_page.h"
#include "ui/headless/headless_backend.h"

struct SessionHooks {
    // Answers a message box as the operator would (a ui::kId* value); called for every box, on
    // the user-interface thread, after it has been shown.
    std::function<int(const std::string& text, unsigned type)> answerBox;
    // A request of an exchange has been sent.
    std::function<void(const RequestProgress& progress)> progress;
    // Receives each line of the protocol trace; none when empty.
    std::function<void(const std::string& line)> traceLine;
};

class CPanelSession : private ExchangeObserver {
  public:
    using Family = identification::Family;

    // How a pressed Read or Save ended.
    enum class Outcome {
        kDone,        // "Read Success", or the save went through
        kRefused,     // the page's checks refused it before anything was sent
        kFailed,      // an error reply, a time-out or a dropped link
        kStopped,     // stopped on request after the request under way
        kPortClosed,  // the line went away (an adapter unplugged, a pseudo-terminal hung up)
    };

    // Shows the panel; the session's backend is the one in use until the session ends.
    explicit CPanelSession(SessionHooks hooks);
    ~CPanelSession() override;
    CPanelSession(const CPanelSession&) = delete;
    CPanelSession& operator=(const CPanelSession&) = delete;

    // Chooses the link's settings and presses Open, which also starts the identification. False,
    // with the system's reason in *error, when the port could not be opened.
    bool Open(const LinkChoice& link, std::string* error);
    // Waits for the identification to show a page; kNone when the panel refused the printer.
    Family WaitForPage();
    // The model character the printer named, as text; "" when it said nothing.
    std::string Model();
    // The page's Version and MAC Address fields, as its last read left them.
    std::string VersionShown() { return Shown(&PageButtons::version); }
    std::string MacShown() { return Shown(&PageButtons::mac); }
    // The settings of the page identification showed; nullptr before one is shown.
    const profile::Family* Profile() const { return page_ ? &page_->Profile() : nullptr; }

    // Presses the shown page's Read or Save button and waits for the exchange to end. Any thread
    // may call Stop meanwhile.
    Outcome Run(ExchangeKind kind);
    void Stop();
    // Presses Save with the page told to stop before its first request, so that its checks run
    // and nothing is sent: kDone when they pass, kRefused (with the page's box) when they refuse.
    // The link is closed after it.
    Outcome RehearseSave();
    // Requests sent in the last exchange.
    unsigned RequestsSent();

    // The shown page's settings as a profile, or the page's refusal (with the profile's texts).
    std::string SaveProfile(bool includeKey, std::string* text);
    std::string LoadProfile(const std::string& text);
    // The settings a save of the shown page as it stands leaves unproven.
    std::vector<profile::Unproven> UnprovenSettings();

    // The texts of the message boxes shown since the last call, in order.
    std::vector<std::string> TakeMessages() { return ui_.TakeBoxTexts(); }

  private:
    std::string Shown(int PageButtons::*field);
    void OnExchangeBegun(ExchangeKind kind) override;
    void OnRequestSent(const RequestProgress& progress) override;
    void OnExchangeEnded(ExchangeKind kind, ExchangeEnd end) override;

    SessionHooks hooks_;
    std::unique_ptr<CLinkLossWatch> links_;
    ui::HeadlessBackend ui_;
    CZephraDlg dlg_;
    CPrinterPage* page_ = nullptr;  // the page identification showed; set on this thread

    std::mutex mutex_;
    std::condition_variable ended_;
    bool began_ = false;
    bool done_ = false;
    bool stopped_ = false;
    ExchangeEnd end_ = ExchangeEnd::kFailed;
    unsigned requests_ = 0;
};
