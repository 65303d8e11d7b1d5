// The WEP key fields over the two key tables: a field's text goes into its key's slot when the
// operator leaves it, and the slots come back as texts when a format or the key size changes.
#include <string>

#include "page_legacy/page2_layout.h"
#include "page_legacy/page2_old.h"
#include "ui/backend.h"

using namespace page2;

WepKeySize CPage2Old::CurrentWepSize() {
    return GetCurSel(IDC_WEP_SIZE) == 0 ? WepKeySize::k64 : WepKeySize::k128;
}

WepKeyFormat CPage2Old::KeyFormat(int key) {
    return GetCurSel(IDC_KEY1_FORMAT + key) == kFormatHex ? WepKeyFormat::kHex
                                                          : WepKeyFormat::kAscii;
}

void CPage2Old::OnKeyKillFocus(int key) {
    UpdateData(true);
    // The text stays as typed; only the slot of the size in use changes.
    if (!ParseWepKey(m_strWepKey[key], KeyFormat(key), CurrentWepSize(), key, &m_wepKeys))
        ui::AfxMessageBox(kNotHexadecimal);
}

void CPage2Old::OnKeyFormatChanged(int key) {
    UpdateData(true);
    m_strWepKey[key] = RenderWepKey(m_wepKeys, CurrentWepSize(), key, KeyFormat(key));
    UpdateData(false);
}

void CPage2Old::OnWepSizeChanged() {
    UpdateData(true);
    RenderAllKeys(CurrentWepSize());
}

void CPage2Old::RenderAllKeys(WepKeySize size) {
    const auto texts = RenderWepKeys(m_wepKeys, size);
    for (int key = 0; key < kWepKeyCount; ++key) {
        SetCurSel(IDC_KEY1_FORMAT + key, kFormatAscii);
        m_strWepKey[key] = texts[static_cast<size_t>(key)];
    }
    UpdateData(false);
}
