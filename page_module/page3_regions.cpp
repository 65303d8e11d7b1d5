// The Wi-Fi module's two region lists and the values of item 33.
#include "page_module/page3_regions.h"

#include <cstring>

namespace page3 {

namespace {

static_assert(sizeof kCountryRegions / sizeof kCountryRegions[0] == kRegionCount);
static_assert(sizeof kNumericRegions / sizeof kNumericRegions[0] == kRegionCount);

constexpr int kCountryNoSelection = 5;  // KR
constexpr int kCountryCanada = 1;
constexpr int kCountryChina = 6;

}  // namespace

bool UsesCountryList(const std::string& versionText) {
    return versionText.empty() || versionText[0] != 'E';
}

Bytes RegionValue(bool countryList, int index) {
    const bool selected = index >= 0 && index < kRegionCount;
    const char* value = countryList ? kCountryRegions[selected ? index : kCountryNoSelection].value
                                    : kNumericRegions[selected ? index : 0].value;
    Bytes bytes(value, value + std::strlen(value));
    bytes.push_back(0);
    return bytes;
}

int CountryRegionIndex(const std::string& letters) {
    const char first = letters.empty() ? '\0' : letters[0];
    if (first == 'C')
        return letters.size() > 1 && letters[1] == 'A' ? kCountryCanada : kCountryChina;
    for (int i = 0; i < kRegionCount; ++i) {
        // Every other first letter names one entry alone.
        if (first != '\0' && kCountryRegions[i].value[0] == first)
            return i;
    }
    return -1;
}

int NumericRegionIndex(const std::string& value) {
    if (value.empty() || value[0] < '0' || value[0] > '8')
        return -1;
    return value[0] - '0';
}

}  // namespace page3
