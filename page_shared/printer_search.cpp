// Which printer answers on each of several serial ports, all asked at once.
#include "page_shared/printer_search.h"

#include "link/port_device_name.h"

namespace {

// The tag shares the message's 32-bit wParam with the link's event.
constexpr uint32_t kTagMask = 0x3FFFFFFFu;

}  // namespace

CPrinterSearch::CPrinterSearch(ui::CDialog& host, CLinkProvider& links, unsigned timerId,
                               unsigned messageId)
    : host_(host), links_(links), timerId_(timerId), messageId_(messageId) {}

CPrinterSearch::~CPrinterSearch() {
    // The readers post to the host: they must be gone before it is.
    onChange_ = nullptr;
    Cancel();
}

void CPrinterSearch::Start(const std::vector<std::string>& ports, const SerialSettings& settings) {
    Cancel();
    rows_.clear();
    probes_.clear();
    rows_.resize(ports.size());
    probes_.resize(ports.size());
    searching_ = true;
    // Every port is opened and asked before any answer is taken, so that each port's time runs
    // from about the same moment.
    for (size_t i = 0; i < ports.size(); ++i) {
        Row& row = rows_[i];
        Probe& probe = probes_[i];
        row.port = ports[i];
        probe.tag = nextTag_;
        nextTag_ = (nextTag_ + 1) & kTagMask;
        probe.queue = std::make_unique<CRxQueue>();
        SerialSettings port = settings;
        port.portName = PortDeviceName(ports[i]);
        const SerialOpenResult opened =
            links_.OpenSerial(port, *probe.queue, MakeNotify(probe.tag), &probe.link);
        if (opened != SerialOpenResult::kOpened) {
            probe.link.reset();
            row.openError = links_.LastError();
            Settle(i, opened == SerialOpenResult::kInUse ? State::kInUse : State::kOpenFailed);
            continue;
        }
        probe.link->WriteComm(identification::kRequest, sizeof identification::kRequest);
    }
    host_.SetTimer(timerId_, identification::kTimeoutMs);
    EndIfDone();
}

void CPrinterSearch::Cancel() {
    if (!searching_)
        return;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].state == State::kAsking)
            Settle(i, State::kCancelled);
    }
    EndIfDone();
}

NotifyFn CPrinterSearch::MakeNotify(uint32_t tag) {
    ui::CDialog* host = &host_;
    const unsigned id = messageId_;
    return [host, id, tag](LinkEvent event) {
        host->Post(ui::Message{id, (uintptr_t{tag} << 2) | static_cast<uintptr_t>(event), {}});
    };
}

size_t CPrinterSearch::RowTagged(uint32_t tag) const {
    for (size_t i = 0; i < probes_.size(); ++i) {
        if (probes_[i].link && probes_[i].tag == tag)
            return i;
    }
    return rows_.size();
}

bool CPrinterSearch::OnMessage(const ui::Message& message) {
    if (message.id != messageId_)
        return false;
    const size_t index = RowTagged(static_cast<uint32_t>(message.wParam >> 2) & kTagMask);
    if (index == rows_.size())
        return true;  // a port let go since: its news no longer applies
    Probe& probe = probes_[index];
    const auto event = static_cast<LinkEvent>(message.wParam & 3);
    // A full queue has still queued what came before: it counts as data.
    if (TakeQueued(probe)) {
        SettleByReply(index, probe.reply.Judge());
    } else if (event == LinkEvent::kDisconnected) {
        Settle(index, State::kPortClosed);
    }
    EndIfDone();
    return true;
}

bool CPrinterSearch::OnTimer(unsigned timerId) {
    if (timerId != timerId_)
        return false;
    host_.KillTimer(timerId_);
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].state != State::kAsking)
            continue;
        // Bytes that came within the time count even when their notification is still on its
        // way.
        TakeQueued(probes_[i]);
        SettleByReply(i, probes_[i].reply.JudgeAtTimeout());
    }
    EndIfDone();
    return true;
}

bool CPrinterSearch::TakeQueued(Probe& probe) {
    uint8_t bytes[CRxQueue::kSize];
    const int count = probe.queue->GetCount();
    for (int i = 0; i < count; ++i)
        probe.queue->Get(&bytes[i]);
    return probe.reply.Take(bytes, static_cast<size_t>(count));
}

void CPrinterSearch::SettleByReply(size_t index, identification::Verdict verdict) {
    Row& row = rows_[index];
    row.verdict = verdict;
    if (verdict == identification::Verdict::kModel) {
        row.model = probes_[index].reply.Model();
        row.family = probes_[index].reply.RoutedFamily();
        Settle(index, State::kIdentified);
    } else {
        Settle(index,
               verdict == identification::Verdict::kSilent ? State::kNoAnswer : State::kRefused);
    }
}

void CPrinterSearch::Settle(size_t index, State state) {
    Probe& probe = probes_[index];
    if (probe.link) {
        probe.link->Close();
        probe.link.reset();
    }
    rows_[index].state = state;
    Changed(index);
}

void CPrinterSearch::EndIfDone() {
    if (!searching_)
        return;
    for (const Row& row : rows_) {
        if (row.state == State::kAsking)
            return;
    }
    searching_ = false;
    host_.KillTimer(timerId_);
    Changed(rows_.size());
}

void CPrinterSearch::Changed(size_t index) {
    if (onChange_)
        onChange_(index);
}
