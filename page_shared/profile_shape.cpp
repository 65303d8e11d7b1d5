// What a profile's text may hold before anything looks into it.
#include "page_shared/profile_shape.h"

namespace profile {

bool NestsDeeperThan(const std::string& text, int depth) {
    int open = 0;
    bool inString = false, escaped = false;
    for (char c : text) {
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++open > depth)
                return true;
        } else if ((c == ']' || c == '}') && open > 0) {
            // A closer with nothing open ends the parse there, so only what came before counts.
            --open;
        }
    }
    return false;
}

bool HasControlCharacter(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        // U+0080 to U+009F are 0xC2 followed by 0x80 to 0x9F.
        const bool c1 = c == 0xC2 && i + 1 < text.size() &&
                        (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80;
        if (c < 0x20 || c == 0x7F || c1)
            return true;
    }
    return false;
}

}  // namespace profile
