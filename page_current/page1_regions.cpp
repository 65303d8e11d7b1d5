// The regions the current-generation printers know, in the order the printers number them.
#include "page_current/page1_regions.h"

namespace page1 {

const std::vector<Region>& RegionTable() {
    // RU stands between LV and MY: the printers number the regions in this order.
    static const std::vector<Region> regions{
        {"AT", "Austria"},
        {"AU", "Australia"},
        {"BE", "Belgium"},
        {"BR", "Brazil"},
        {"CA", "Canada"},
        {"CH", "Switzerland and Liechtenstein"},
        {"CN", "China"},
        {"CY", "Cyprus"},
        {"CZ", "Czech Republic"},
        {"DE", "Germany"},
        {"DK", "Denmark"},
        {"EE", "Estonia"},
        {"ES", "Spain"},
        {"FI", "Finland"},
        {"FR", "France"},
        {"GB", "United Kingdom"},
        {"GR", "Greece"},
        {"HK", "Hong Kong"},
        {"HU", "Hungary"},
        {"ID", "Indonesia"},
        {"IE", "Ireland"},
        {"IL", "Israel"},
        {"IN", "India"},
        {"IS", "Iceland"},
        {"IT", "Italy"},
        {"JP", "Japan"},
        {"KR", "Republic of Korea"},
        {"LT", "Lithuania"},
        {"LU", "Luxembourg"},
        {"LV", "Latvia"},
        {"RU", "RUSSIAN FEDERATION"},
        {"MY", "Malaysia"},
        {"NL", "Netherlands"},
        {"NO", "Norway"},
        {"NZ", "New Zealand"},
        {"PH", "Philippines"},
        {"PL", "Poland"},
        {"PT", "Portugal"},
        {"SE", "Sweden"},
        {"SG", "Singapore"},
        {"SI", "Slovenia"},
        {"SK", "Slovak Republic"},
        {"TH", "Thailand"},
        {"TW", "Taiwan"},
        {"US", "United states of America"},
        {"ZA", "South Africa"},
    };
    return regions;
}

}  // namespace page1
