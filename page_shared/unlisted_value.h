// What a page tells the operator of a value the printer reported that no entry of its list holds.
#pragma once

#include <string>

// One line naming the setting and the value as it came: printable ASCII as it is, any other byte
// as \xNN, so the line stays plain whatever the printer sent.
std::string UnlistedValueMessage(const char* setting, const std::string& value);
