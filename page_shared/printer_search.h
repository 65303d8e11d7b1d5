// Which printer answers on each of several serial ports: every port opened at once on a link of
// its own, each sent the identification alone, each row filled as its answer comes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/link.h"
#include "link/rx_queue.h"
#include "page_shared/identification.h"
#include "ui/dialog.h"

class CPrinterSearch {
  public:
    enum class State {
        kAsking,      // the request went out and no answer has come yet
        kIdentified,  // a whole reply named a model a family serves
        kRefused,     // the reply names no family: the panel would refuse it
        kNoAnswer,    // silent for the time
        kInUse,       // another program holds the port: it is not taken over
        kOpenFailed,  // the port could not be opened
        kPortClosed,  // the line went away while the answer was awaited
        kCancelled,   // the search was cancelled before an answer came
    };

    struct Row {
        std::string port;
        State state = State::kAsking;
        // kIdentified: the model character and its family. kRefused: why, as the panel says it.
        uint8_t model = 0;
        identification::Family family = identification::Family::kNone;
        identification::Verdict verdict = identification::Verdict::kWaiting;
        // kInUse and kOpenFailed: the system's words for it.
        std::string openError;
    };

    // The search runs in host's window, on its thread: the host arms and hears timerId, and the
    // links' news comes to it as posted messages of messageId. Both are handed back here.
    CPrinterSearch(ui::CDialog& host, CLinkProvider& links, unsigned timerId, unsigned messageId);
    // Closes every link still open.
    ~CPrinterSearch();
    CPrinterSearch(const CPrinterSearch&) = delete;
    CPrinterSearch& operator=(const CPrinterSearch&) = delete;

    // Called with a row's index once its state changed, and with Rows().size() once the search
    // has ended (every row answered, timed out or cancelled). It runs inside the search's own
    // handlers: it may read the rows, and must post rather than start or cancel a search.
    void OnChange(std::function<void(size_t row)> onChange) { onChange_ = std::move(onChange); }

    // Starts asking every port with the settings (the port name left out), ending a search under
    // way first. The rows are those of ports, in order.
    void Start(const std::vector<std::string>& ports, const SerialSettings& settings);
    // Ends the search: every port still asked is let go and its row says kCancelled.
    void Cancel();
    bool Searching() const { return searching_; }
    const std::vector<Row>& Rows() const { return rows_; }

    // The host's handlers: true when the timer or message was the search's.
    bool OnTimer(unsigned timerId);
    bool OnMessage(const ui::Message& message);

  private:
    // A row's port while it is asked.
    struct Probe {
        // The link's news carries this tag; news of an earlier search, or of a port let go, finds
        // no probe.
        uint32_t tag = 0;
        std::unique_ptr<CRxQueue> queue;
        std::unique_ptr<CLink> link;
        identification::CIdentityReply reply;
    };

    NotifyFn MakeNotify(uint32_t tag);
    // The index of the row whose port is asked under tag; Rows().size() for none.
    size_t RowTagged(uint32_t tag) const;
    // Hands the bytes the row's link has queued to its reply; true once the reply is whole.
    bool TakeQueued(Probe& probe);
    // Gives the row its final state and lets its port go.
    void Settle(size_t index, State state);
    void SettleByReply(size_t index, identification::Verdict verdict);
    void EndIfDone();
    void Changed(size_t index);

    ui::CDialog& host_;
    CLinkProvider& links_;
    const unsigned timerId_;
    const unsigned messageId_;
    std::function<void(size_t)> onChange_;
    std::vector<Row> rows_;
    std::vector<Probe> probes_;  // one per row
    bool searching_ = false;
    uint32_t nextTag_ = 0;
};
