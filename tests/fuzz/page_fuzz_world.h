// The panel on a fake link with one printer page brought up on demand: where the page fuzz
// targets run. Replies arrive in pieces at input-chosen times, and every input ends with the
// clock past the page's longest reply timer. An input fails when the page breaks a rule of every
// exchange. Nothing recorded for one input outlives the next, so memory stays flat.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/main_dialog_layout.h"
#include "app/zephra_dlg.h"
#include "link/line_quiet.h"
#include "page_shared/reply_cut.h"
#include "tests/panel/fake_link.h"
#include "tests/support/shown_panel.h"
#include "ui/headless/headless_backend.h"

// Reads a fuzz input front to back; past its end every byte reads as 0.
struct FuzzInput {
    const uint8_t* data;
    size_t size;
    size_t at = 0;

    bool More() const { return at < size; }
    uint8_t Byte() { return at < size ? data[at++] : 0; }
    std::vector<uint8_t> Take(size_t n) {
        n = std::min(n, size - at);
        at += n;
        return std::vector<uint8_t>(data + at - n, data + at);
    }
    // As Take, for a text value: a text end (00, CR, LF) would end it early, so none is left in.
    std::vector<uint8_t> Text(size_t n) {
        std::vector<uint8_t> text = Take(n);
        for (uint8_t& byte : text) {
            if (reply::IsTextEnd(byte))
                byte = '.';
        }
        return text;
    }
};

// What the world checks a page against.
struct PageRules {
    unsigned shortestTimerMs;
    unsigned longestTimerMs;
    // Whether a frame the page writes changes the printer's settings.
    bool (*writesSettings)(const std::vector<uint8_t>& frame);
};

struct PageFuzzWorld {
    PageFuzzWorld() {
        StartPanel(ui, dlg);
        // (a) No reply makes a read write settings. Runs on the UI thread as the page writes, so
        // the exchange seen is the one writing.
        links.log.onWrite = [this](const std::vector<uint8_t>& frame) {
            if (reading_ && page_ != nullptr && page_->IsExchanging() &&
                rules_.writesSettings(frame))
                Fail('a', "a read wrote settings");
        };
    }

    // Starts an input on a fresh link with page brought up anew, so each input replays alone.
    // model names the printer; 0 is one that stays silent at identification.
    void Begin(CPrinterPage& page, uint8_t model, const PageRules& rules) {
        page_ = &page;
        rules_ = rules;
        links.log.writes.clear();
        links.log.opens.clear();
        if (ui::CDialog* top = ui.TopDialog(); top != &dlg && top != nullptr)
            ui.PressEscape(*top);
        ui.Click(dlg, IDC_CLOSE);
        ui.Click(dlg, IDC_OPEN);
        if (model == 0) {
            ui.Advance(kModelTimeoutMs);
        } else {
            links.Receive({0x1B, 0x00, 0x02, 0x02, 0x00, model, 0x0D, 0x0A});
            ui.Settle();
        }
        exchanging_ = page.IsExchanging();
    }
    bool Shown() { return ui.TopDialog() == page_; }
    // The last request the page sent (a frame's header when it went in two writes), or nothing.
    std::vector<uint8_t> LastRequest() const {
        const auto& writes = links.log.writes;
        for (auto write = writes.rbegin(); write != writes.rend(); ++write) {
            if (write->size() >= 3 && (*write)[0] == 0x1B && (*write)[1] == 0x7E)
                return *write;
        }
        return {};
    }

    // The reply as the link hands it over: each piece's size (0: the rest) in a byte's low five
    // bits and the pause after it in its top three: none, on either side of the line's quiet gap,
    // or up to most of the shortest reply timer.
    void Deliver(const std::vector<uint8_t>& reply, FuzzInput& in) {
        const unsigned pauses[8] = {0,
                                    1,
                                    kQuietGapMs - 1,
                                    kQuietGapMs,
                                    kQuietGapMs + 1,
                                    4 * kQuietGapMs,
                                    rules_.shortestTimerMs / 2,
                                    rules_.shortestTimerMs * 7 / 8};
        for (size_t at = 0; at < reply.size();) {
            const uint8_t cut = in.Byte();
            const size_t n = (cut & 0x1F) == 0 ? reply.size() - at
                                               : std::min<size_t>(cut & 0x1F, reply.size() - at);
            links.Receive(std::vector<uint8_t>(reply.begin() + at, reply.begin() + at + n));
            at += n;
            Drain();
            if (pauses[cut >> 5] != 0)
                Advance(pauses[cut >> 5]);
        }
    }
    // Clicks a control, knowing an exchange that Read starts for a read.
    void Click(int id) {
        if (!page_->IsExchanging())
            reading_ = id == page_->Buttons().read;
        ui.Click(*page_, id);
        Drain();
    }
    void Advance(unsigned ms) {
        ui.Advance(ms);
        Drain();
    }
    // Ends an input: every reply timer runs out, so the next input starts with no exchange.
    void End() {
        int rounds = 0;
        do {
            Advance(rules_.longestTimerMs + 1);
        } while (exchanging_ && ++rounds < 3);
        if (!Shown())
            return;
        // (d) Every wait ends: with the line silent, bytes held for a reply were taken at the
        // quiet gap or dropped, and every request's timer has ended its exchange.
        if (page_->IsExchanging())
            Fail('d', "an exchange outlived its reply timers");
        if (AnyTimerArmed(kLastTimerId))
            Fail('d', "a timer keeps the page waiting on a silent line");
    }

    // After each operation: the boxes and deliveries it left are not kept, and the page shown holds
    // to what every exchange promises.
    void Drain() {
        ui.TakeBoxes();
        ui.TakeDeliveries();
        if (!Shown())
            return;
        const bool exchanging = page_->IsExchanging();
        // (b) Every wait ends: an exchange under way has a reply timer running.
        if (exchanging && !AnyTimerArmed())
            Fail('b', "an exchange waits with no timer armed");
        // (c) However an exchange ends, the operator can read again.
        if (exchanging_ && !exchanging && !ui.Enabled(*page_, page_->Buttons().read))
            Fail('c', "an exchange ended with Read disabled");
        exchanging_ = exchanging;
        if (!exchanging)
            reading_ = false;
    }

    ui::HeadlessBackend ui;
    FakeLinkProvider links;
    CZephraDlg dlg{links};

  private:
    // The families' timer ids are small; each is a reply timer or the module's V retry. Above
    // them the page keeps its own, the quiet gap's, which ends a reply but never the wait for one.
    static constexpr unsigned kLastReplyTimerId = 16;
    static constexpr unsigned kLastTimerId = 255;
    bool AnyTimerArmed(unsigned lastId = kLastReplyTimerId) {
        for (unsigned id = 1; id <= lastId; ++id) {
            if (ui.TimerArmed(*page_, id))
                return true;
        }
        return false;
    }
    // ZEPHRA_FUZZ_SKIP (e.g. "c") names invariants a run looks past, to find faults behind one
    // already known.
    static void Fail(char invariant, const char* what) {
        static const char* skip = std::getenv("ZEPHRA_FUZZ_SKIP");
        if (skip != nullptr && std::strchr(skip, invariant) != nullptr)
            return;
        std::fprintf(stderr, "page fuzz invariant (%c) broken: %s\n", invariant, what);
        __builtin_trap();
    }

    CPrinterPage* page_ = nullptr;
    PageRules rules_{};
    std::atomic<bool> reading_{false};
    bool exchanging_ = false;
};
