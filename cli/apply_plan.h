// What apply writes to each printer: the profile, with a key given apart from it and the rows of
// an inventory, all checked before any port is opened; for restore, each printer's newest backup.
#pragma once

#include <string>

#include "cli/cli_options.h"
#include "cli/inventory.h"

class CApplyPlan {
  public:
    // Reads and checks the profile, the key and the inventory the command names (restore: that
    // its folder can be read): "" or the one-line message that refuses the run. A key on standard
    // input is read here.
    std::string Prepare(const CliCommand& command);

    // The profile's family; "" for restore, where each backup names its own.
    const std::string& FamilyName() const { return familyName_; }
    // Whether a key was given apart from the profile, and the key.
    bool HasKey() const { return hasKey_; }
    const std::string& Key() const { return key_; }
    // The SHA-256 of the profile file as read, in hexadecimal.
    const std::string& ProfileDigest() const { return digest_; }

    // The profile for the printer of this family, served on port, whose page shows this MAC
    // address: "" with it in *text, or the refusal. For restore, *backup names the file it came
    // from.
    std::string ProfileFor(const std::string& family, const std::string& port,
                           const std::string& mac, std::string* text, std::string* backup) const;
    // The inventory's address for the printer on port with this MAC address; "" for none.
    std::string InventoryAddress(const std::string& port, const std::string& mac) const {
        return rows_.AddressFor(port, mac);
    }

  private:
    std::string ReadKey(const FleetOptions& fleet);

    std::string familyName_, profile_, key_, digest_, restoreDir_;
    bool hasKey_ = false, allowUnlisted_ = false, inventory_ = false;
    CInventory rows_;
};

// The SHA-256 of bytes, in hexadecimal.
std::string Sha256Hex(const std::string& bytes);
// The profile family of the family a printer's report names ("current", "legacy", "module").
const profile::Family& ProfileFamily(const std::string& name);
