// The utility's own panel and pages, run without windows on the steady clock and driven the way
// an operator drives them, over the serial ports of this system.
#include "cli/panel_session.h"

#include "app/main_dialog_layout.h"

namespace {

// The panel names a silent printer once its model timer runs out; this leaves room for a busy
// machine on top.
constexpr unsigned kIdentifyLimitMs = kModelTimeoutMs + 2000;

// Byte of the identification reply that names the model.
constexpr size_t kModelByte = 5;

}  // namespace

CPanelSession::CPanelSession() : ui_(ui::HeadlessBackend::Clock::kSteady), dlg_(links_) {
    ui::SetBackend(&ui_);
    ui_.Start([this] {
        ui_.SetMainWindow(&dlg_);
        dlg_.DoModal();
    });
}

CPanelSession::~CPanelSession() {
    ui_.Stop();
    ui::SetBackend(nullptr);
}

bool CPanelSession::Open(const LinkChoice& link, std::string* error) {
    // The port list offers the path as the operator's choice.
    ui_.RunOnUi([&] {
        dlg_.AddString(IDC_COMBO_PORT, link.port);
        dlg_.SetCurSel(IDC_COMBO_PORT, dlg_.GetItemCount(IDC_COMBO_PORT) - 1);
    });
    ui_.Select(dlg_, IDC_COMBO_BAUD, link.baud);
    ui_.Select(dlg_, IDC_COMBO_PARITY, link.parity);
    ui_.Select(dlg_, IDC_COMBO_DATABIT, link.dataBits);
    ui_.Select(dlg_, IDC_COMBO_STOPBIT, link.stopBits);
    ui_.Click(dlg_, IDC_OPEN);
    *error = links_.LastError();
    return error->empty();
}

CPanelSession::Family CPanelSession::WaitForPage() {
    ui_.WaitWhileTop(dlg_, kIdentifyLimitMs);
    const ui::CDialog* top = ui_.TopDialog();
    if (top == &dlg_.m_page1)
        return Family::kCurrent;
    if (top == &dlg_.m_page2)
        return Family::kLegacy;
    if (top == &dlg_.m_page3)
        return Family::kModule;
    return Family::kNone;
}

uint8_t CPanelSession::Model() {
    uint8_t model = 0;
    // The trace holds the identification reply as it came.
    ui_.RunOnUi([&] {
        for (const trace::Entry& entry : dlg_.Trace().Entries()) {
            if (entry.kind == trace::EntryKind::kReceived) {
                if (entry.bytes.size() > kModelByte)
                    model = entry.bytes[kModelByte];
                return;
            }
        }
    });
    return model;
}

const char* FamilyName(CPanelSession::Family family) {
    switch (family) {
        case CPanelSession::Family::kCurrent:
            return "current";
        case CPanelSession::Family::kLegacy:
            return "legacy";
        case CPanelSession::Family::kModule:
            return "module";
        case CPanelSession::Family::kNone:
            break;
    }
    return "";
}
