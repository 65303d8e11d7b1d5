// What a profile's text may hold before anything looks into it: no deeper nesting than a profile
// has, and settings text free of control characters.
#pragma once

#include <string>

namespace profile {

// Whether JSON text opens arrays and objects more than depth levels deep, counting outside
// strings only. The parser builds any depth, but copying, comparing or printing a value recurses
// into it, so a file is measured before it is parsed.
bool NestsDeeperThan(const std::string& text, int depth);

// Whether UTF-8 text holds a C0 or C1 control character or DEL, NUL included: no field takes one.
bool HasControlCharacter(const std::string& text);

}  // namespace profile
