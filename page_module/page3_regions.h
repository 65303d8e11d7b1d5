// The Wi-Fi module's two region lists, each entry with the text the page lists and the value the
// module takes. The version reply decides which list a module uses.
#pragma once

#include <cstdint>
#include <string>

#include "page_module/page3_protocol.h"

namespace page3 {

struct RegionEntry {
    const char* text;   // as the list shows it
    const char* value;  // as item 33 carries it, before its 0x00
};

// Modules whose version text does not begin with 'E': two-letter country codes.
inline constexpr RegionEntry kCountryRegions[] = {
    {"US:United States of America", "US"},
    {"CA:Canada", "CA"},
    {"SG:Singapore", "SG"},
    {"EU:Europe", "EU"},
    {"AU:Australia", "AU"},
    {"KR:Republic of Korea", "KR"},
    {"CN:China", "CN"},
    {"FR:France", "FR"},
    {"JP:Japan", "JP"},
};
// Modules whose version begins with 'E': one digit, the entry's index.
inline constexpr RegionEntry kNumericRegions[] = {
    {"0:US FCC,Singapore(0x10)", "0"},
    {"1:IC Canada(0x20)", "1"},
    {"2:ETSI,Australia,Republic of Korea(0x30)", "2"},
    {"3:France(0x32)", "3"},
    {"4:Japan(0x40)", "4"},
    {"5:Japan(0x41)", "5"},
    {"6:China(0x50)", "6"},
    {"7:Japan(0xFE)", "7"},
    {"8:Japan Special(0xFF)", "8"},
};
constexpr int kRegionCount = 9;

// Whether a module with this version text uses the country list.
bool UsesCountryList(const std::string& versionText);

// Item 33 for the selected index; no selection (or an index outside the list) writes "KR" from
// the country list and '0' from the numeric list.
Bytes RegionValue(bool countryList, int index);

// The entry a region reply selects, -1 for none. Country list: by the letters from the reply's
// offset 17, the first of them deciding ('C' by the second). Numeric list: by the value's first
// character, '0' to '8' selecting their entry.
int CountryRegionIndex(const std::string& letters);
int NumericRegionIndex(const std::string& value);

// Why a save with no region chosen is refused.
constexpr const char* kChooseRegion = "Choose a Region before saving.";

}  // namespace page3
