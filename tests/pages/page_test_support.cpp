// Shared helpers of the page tests: a page shown on the headless backend, and template look-ups.
#include "tests/pages/page_test_support.h"

namespace pagetest {

std::vector<int> IdsWithStyle(const ui::DialogDesc& desc, uint32_t style) {
    std::vector<int> ids;
    for (const ui::ControlDesc& c : desc.controls) {
        if ((c.style & style) == style)
            ids.push_back(c.id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::vector<std::string> Numbered(const std::string& prefix, int first, int last) {
    std::vector<std::string> items;
    for (int i = first; i <= last; ++i)
        items.push_back(prefix + std::to_string(i));
    return items;
}

}  // namespace pagetest
