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
    // A key that cannot be taken has had its message and keeps its slot.
    if (!TakeData({IDC_KEY1_TEXT + key}))
        return;
    // The text stays as typed; only the slot of the size in use changes.
    if (!ParseWepKey(m_strWepKey[key], KeyFormat(key), CurrentWepSize(), key, &m_wepKeys))
        ui::AfxMessageBox(kNotHexadecimal);
}

// The key texts come from the slots, so only they are shown.
void CPage2Old::OnKeyFormatChanged(int key) {
    m_strWepKey[key] = RenderWepKey(m_wepKeys, CurrentWepSize(), key, KeyFormat(key));
    ShowData({IDC_KEY1_TEXT + key});
}

void CPage2Old::OnWepSizeChanged() {
    RenderAllKeys(CurrentWepSize());
}

void CPage2Old::RenderAllKeys(WepKeySize size) {
    const auto texts = RenderWepKeys(m_wepKeys, size);
    for (int key = 0; key < kWepKeyCount; ++key) {
        SetCurSel(IDC_KEY1_FORMAT + key, kFormatAscii);
        m_strWepKey[key] = texts[static_cast<size_t>(key)];
    }
    ShowData({IDC_KEY1_TEXT, IDC_KEY2_TEXT, IDC_KEY3_TEXT, IDC_KEY4_TEXT});
}
