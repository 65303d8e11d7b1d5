// What a page tells the operator of a value the printer reported that no entry of its list holds.
#include "page_shared/unlisted_value.h"

std::string UnlistedValueMessage(const char* setting, const std::string& value) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string shown;
    for (unsigned char c : value) {
        if (c >= 0x20 && c < 0x7F) {
            shown += static_cast<char>(c);
        } else {
            shown += std::string("\\x") + kDigits[c >> 4] + kDigits[c & 15];
        }
    }
    return std::string("The printer's ") + setting + " \"" + shown +
           "\" is not in the list: choose one before saving.";
}
