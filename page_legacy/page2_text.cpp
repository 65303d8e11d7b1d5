// One byte per character between the printer's texts and UTF-8.
#include "page_legacy/page2_text.h"

namespace page2 {

std::string BytesToText(const uint8_t* bytes, size_t n) {
    std::string text;
    for (size_t i = 0; i < n; ++i) {
        if (bytes[i] < 0x80) {
            text += static_cast<char>(bytes[i]);
        } else {
            text += static_cast<char>(0xC0 | bytes[i] >> 6);
            text += static_cast<char>(0x80 | (bytes[i] & 0x3F));
        }
    }
    return text;
}

std::vector<uint8_t> TextToBytes(const std::string& text) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < text.size();) {
        const uint8_t lead = static_cast<uint8_t>(text[i]);
        size_t length = 1;
        uint32_t code = lead;
        if (lead >= 0xC0 && lead < 0xF8) {
            length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            code = lead & (0x3F >> (length - 1));
            for (size_t k = 1; k < length; ++k) {
                const uint8_t next = i + k < text.size() ? static_cast<uint8_t>(text[i + k]) : 0;
                if ((next & 0xC0) != 0x80) {
                    length = 1;
                    code = '?';
                    break;
                }
                code = code << 6 | (next & 0x3F);
            }
        } else if (lead >= 0x80) {
            code = '?';
        }
        bytes.push_back(code <= 0xFF ? static_cast<uint8_t>(code) : '?');
        i += length;
    }
    return bytes;
}

}  // namespace page2
