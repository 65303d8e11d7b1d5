// A fleet's inventory: a CSV file with a row per printer, chosen by the printer's MAC address or
// by the port it is served on, whose cells replace the profile's settings for that printer, and
// perhaps its network address.
#pragma once

#include <map>
#include <string>
#include <vector>

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

    // Whether rows are chosen by port rather than by MAC address.
    bool ByPort() const { return byPort_; }
    // An inventory by port: "" when every row's port is one of ports, as --port gives them,
    // otherwise the refusal naming the first row whose port is not. A row no printer can take
    // is a mistake, not a row to leave out.
    std::string CheckPorts(const std::vector<std::string>& ports) const;

    // The profile for the printer served on port whose page shows this MAC address: false when
    // the inventory has no row for it.
    bool ProfileFor(const std::string& port, const std::string& mac,
                    std::string* profileText) const;

    // The address column of the printer's row; "" for none.
    std::string AddressFor(const std::string& port, const std::string& mac) const;

  private:
    std::string ReadRows(std::string text, const profile::Family& family,
                         const ui::DialogDesc& desc, const std::string& profileText);
    std::string KeyOf(const std::string& port, const std::string& mac) const;

    std::string name_;
    bool byPort_ = false;
    // By port as written, or by MAC address in MacKey's form.
    std::map<std::string, std::string> profiles_, addresses_;
    // An inventory by port: each row's port, by row.
    std::map<unsigned, std::string> portOnRow_;
};
