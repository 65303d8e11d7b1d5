// WEP key tables: parse a key field into its slot, render a slot as a field's text.
#include "page_legacy/page2_wep_keys.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "page_legacy/page2_text.h"
#include "page_shared/entry_text.h"

namespace page2 {
namespace {}  // namespace

size_t WepSlotSize(WepKeySize size) {
    return size == WepKeySize::k64 ? 5 : 13;
}

uint8_t* WepKeyTables::Slot(WepKeySize size, int key) {
    return const_cast<uint8_t*>(static_cast<const WepKeyTables*>(this)->Slot(size, key));
}

const uint8_t* WepKeyTables::Slot(WepKeySize size, int key) const {
    if (key < 0 || key >= kWepKeyCount)
        return nullptr;
    const uint8_t* table = size == WepKeySize::k64 ? table64.data() : table128.data();
    return table + static_cast<size_t>(key) * WepSlotSize(size);
}

bool ParseWepKey(const std::string& text, WepKeyFormat format, WepKeySize size, int key,
                 WepKeyTables* tables) {
    uint8_t* slot = tables->Slot(size, key);
    if (slot == nullptr)
        return true;
    const size_t m = WepSlotSize(size);
    std::memset(slot, 0, m);
    const std::vector<uint8_t> chars = TextToBytes(text);
    if (format == WepKeyFormat::kAscii) {
        std::copy_n(chars.begin(), std::min(chars.size(), m), slot);
        return true;
    }
    for (size_t i = 0; i < m && i < chars.size() / 2; ++i) {
        const int high = entry::HexDigit(static_cast<char>(chars[2 * i])),
                  low = entry::HexDigit(static_cast<char>(chars[2 * i + 1]));
        if (high < 0 || low < 0)
            return false;
        slot[i] = static_cast<uint8_t>(high << 4 | low);
    }
    return true;
}

std::string RenderWepKey(const WepKeyTables& tables, WepKeySize size, int key,
                         WepKeyFormat format) {
    const uint8_t* slot = tables.Slot(size, key);
    if (slot == nullptr)
        return std::string();
    const size_t m = WepSlotSize(size);
    if (format == WepKeyFormat::kAscii)
        return BytesToText(slot, static_cast<size_t>(std::find(slot, slot + m, 0) - slot));
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (size_t i = 0; i < m; ++i) {
        hex += kDigits[slot[i] >> 4];
        hex += kDigits[slot[i] & 15];
    }
    return hex;
}

std::array<std::string, kWepKeyCount> RenderWepKeys(const WepKeyTables& tables, WepKeySize size) {
    std::array<std::string, kWepKeyCount> texts;
    for (int key = 0; key < kWepKeyCount; ++key) {
        const uint8_t* slot = tables.Slot(size, key);
        std::vector<uint8_t> chars;
        std::copy_if(slot, slot + WepSlotSize(size), std::back_inserter(chars),
                     [](uint8_t b) { return b != 0; });
        texts[static_cast<size_t>(key)] = BytesToText(chars.data(), chars.size());
    }
    return texts;
}

size_t WepKeyLength(WepKeyFormat format, WepKeySize size) {
    return (format == WepKeyFormat::kHex ? 2 : 1) * WepSlotSize(size);
}

const char* WepKeyLengthMessage(WepKeyFormat format, WepKeySize size) {
    if (format == WepKeyFormat::kHex) {
        return size == WepKeySize::k64 ? "WEP-64bits key(HEX) should be use 10 characters"
                                       : "WEP-128bits key(HEX) should be use 26 characters";
    }
    return size == WepKeySize::k64 ? "WEP-64bits key(ASCII) should be use 5 characters"
                                   : "WEP-128bits key(ASCII) should be use 13 characters";
}

}  // namespace page2
