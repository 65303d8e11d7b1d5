// A fleet's inventory: a CSV file with a row per printer, chosen by the printer's MAC address,
// whose cells replace the profile's settings for that printer, and perhaps its network address.
#pragma once

#include <map>
#include <string>

#include "page_shared/profile.h"

namespace ui {
struct DialogDesc;
}

class CInventory {
  public:
    // Reads the inventory named name (for messages) from text, checking every row's profile by
    // the profile's own rules against the family's page layout: "" or the one-line message that
    // refuses it, naming the row and the column at fault.
    std::string Parse(const std::string& name, std::string text, const profile::Family& family,
                      const ui::DialogDesc& desc, const std::string& profileText);

    // The profile for the printer with this MAC address (as its page shows it): false when the
    // inventory has no row for it.
    bool ProfileFor(const std::string& mac, std::string* profileText) const;

    // The address column of the printer's row; "" for none.
    std::string AddressFor(const std::string& mac) const;

  private:
    // By MAC address, in MacKey's form.
    std::map<std::string, std::string> profiles_, addresses_;
};
