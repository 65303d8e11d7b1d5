// Feeds arbitrary notification sequences, interleaved with clock ticks and operator actions,
// through the panel's identification and routing on the headless backend, or through a printer
// search's identification of three ports at once.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/main_dialog_layout.h"
#include "app/zephra_dlg.h"
#include "page_shared/printer_search_window.h"
#include "tests/panel/fake_link.h"
#include "tests/support/shown_panel.h"
#include "ui/headless/headless_backend.h"

namespace {

struct World {
    World() { StartPanel(ui, dlg); }
    ui::HeadlessBackend ui;
    FakeLinkProvider links;
    CZephraDlg dlg{links};
};

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// Every page message must carry a count the page can trust: at least one byte (a reply may come
// in pieces), and a zero byte after them inside the buffer.
void CheckDeliveries(World& w) {
    for (const auto& d : w.ui.TakeDeliveries()) {
        if (d.dialog == &w.dlg)
            continue;  // the reader's own notifications
        const ui::Message& m = d.message;
        Check(m.id == WM_PAGE1_DATA || m.id == WM_PAGE2_DATA || m.id == WM_PAGE3_DATA);
        Check(m.wParam >= 1 && m.wParam < m.payload.size());
        Check(m.payload[m.wParam] == 0);
    }
}

// A search on a backend of its own, which the panel's never sees.
struct SearchWorld {
    SearchWorld() {
        ui.Start([this] { ui.RunModal(window); });
    }
    ui::HeadlessBackend ui;
    FakeLinkProvider links;
    CPrinterSearchWindow window{links};
    const std::vector<std::string> ports = {"COM1", "COM2", "COM3"};
    // The bytes each port received while its row was asked.
    std::vector<std::vector<uint8_t>> heard;

    CPrinterSearch::Row Row(size_t i) {
        CPrinterSearch::Row row;
        ui.RunOnUi([&] { row = window.search.Rows().at(i); });
        return row;
    }
    void Start() {
        ui.RunOnUi([this] { window.search.Start(ports, SerialSettings{}); });
        heard.assign(ports.size(), {});
    }
};

// A row says what the bytes its port received while asked say, and nothing else.
void CheckRows(SearchWorld& w) {
    using State = CPrinterSearch::State;
    bool asking = false;
    for (size_t i = 0; i < w.ports.size(); ++i) {
        const CPrinterSearch::Row row = w.Row(i);
        const std::vector<uint8_t>& heard = w.heard[i];
        const uint8_t model =
            heard.size() > identification::kModelIndex ? heard[identification::kModelIndex] : 0;
        asking = asking || row.state == State::kAsking;
        if (row.state == State::kIdentified)
            Check(row.model == model && identification::FamilyForModel(model) == row.family &&
                  row.family != identification::Family::kNone);
        if (row.state == State::kNoAnswer)
            Check(heard.size() < 2);
        if (row.state == State::kRefused)
            Check(heard.size() >= 2 &&
                  identification::FamilyForModel(model) == identification::Family::kNone);
    }
    bool searching = false;
    w.ui.RunOnUi([&] { searching = w.window.search.Searching(); });
    Check(searching == asking);
    if (!searching)
        Check(w.links.log.open == 0);
}

void SearchInput(const uint8_t* data, size_t size) {
    static SearchWorld* world = new SearchWorld();
    SearchWorld& w = *world;
    w.links.log = FakeLinkLog{};
    w.Start();
    size_t i = 0;
    while (i < size) {
        const uint8_t op = data[i++];
        const size_t port = (op >> 2) % w.ports.size();
        switch (op % 4) {
            case 0:
            case 1: {  // a chunk from the port's reader, which stops once the row is filled
                size_t n = std::min<size_t>(op >> 4, size - i);
                if (w.Row(port).state == CPrinterSearch::State::kAsking) {
                    w.heard[port].insert(w.heard[port].end(), data + i, data + i + n);
                    w.links.ReceiveOn(w.ports[port], std::vector<uint8_t>(data + i, data + i + n));
                    w.ui.Settle();
                }
                i += n;
                break;
            }
            case 2:
                w.ui.Advance(op * 4u);
                break;
            case 3:
                if (op & 0x80)
                    w.Start();
                else
                    w.ui.RunOnUi([&w] { w.window.search.Cancel(); });
                break;
        }
        CheckRows(w);
    }
    w.ui.RunOnUi([&w] { w.window.search.Cancel(); });
    CheckRows(w);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte chooses: odd for a search, even for the panel.
    if (size > 0 && (data[0] & 1)) {
        SearchInput(data + 1, size - 1);
        return 0;
    }
    static World* world = new World();  // one UI thread for the whole run
    World& w = *world;
    // Nothing here reads what the link recorded, and kept it would grow with every input.
    w.links.log = FakeLinkLog{};
    // Start every input from a panel with no page, waiting for a model.
    if (ui::CDialog* top = w.ui.TopDialog(); top != nullptr && top != &w.dlg) {
        w.ui.PressEscape(*top);
    }
    w.ui.Click(w.dlg, IDC_CLOSE);
    w.ui.Click(w.dlg, IDC_OPEN);
    w.ui.TakeBoxes();

    size_t i = 0;
    while (i < size) {
        const uint8_t op = data[i++];
        switch (op % 6) {
            case 0:
            case 1: {  // a chunk from the reader, up to what the queue takes
                size_t n = op / 6;
                if (i < size && (op & 0x80))
                    n = n * 16 + data[i++];
                n = std::min(n, size - i);
                w.links.Receive(std::vector<uint8_t>(data + i, data + i + n));
                i += n;
                break;
            }
            case 2:
                w.ui.Advance(op * 8u);
                break;
            case 3:
                if (ui::CDialog* top = w.ui.TopDialog(); top != &w.dlg && top != nullptr) {
                    w.ui.SysCommand(*top, ui::kScClose);
                }
                break;
            case 4:
                if (ui::CDialog* top = w.ui.TopDialog(); top != &w.dlg && top != nullptr) {
                    w.ui.PressEscape(*top);
                }
                break;
            case 5:
                w.ui.Click(w.dlg, (op & 0x40) ? IDC_OPEN : IDC_CLOSE);
                break;
        }
        CheckDeliveries(w);
    }
    w.ui.TakeBoxes();
    return 0;
}
