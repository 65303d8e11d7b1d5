// The regions the current-generation printers know: the code on the wire and the country the
// operator chooses, in the order the printers number them.
#pragma once

#include <vector>

namespace page1 {

struct Region {
    const char* code;
    const char* country;
};

const std::vector<Region>& RegionTable();

}  // namespace page1
