// What apply writes to each printer: the profile, with a key given apart from it and the rows of
// an inventory, all checked before any port is opened.
#pragma once

#include <string>

#include "cli/cli_options.h"
#include "cli/inventory.h"

class CApplyPlan {
  public:
    // Reads and checks the profile, the key and the inventory the command names: "" or the
    // one-line message that refuses the run. A key on standard input is read here.
    std::string Prepare(const CliCommand& command);

    const std::string& FamilyName() const { return familyName_; }
    const profile::Family& Family() const { return *family_; }
    // Whether a key was given apart from the profile, and the key.
    bool HasKey() const { return hasKey_; }
    const std::string& Key() const { return key_; }
    // The SHA-256 of the profile file as read, in hexadecimal.
    const std::string& ProfileDigest() const { return digest_; }

    // The profile for the printer whose page shows this MAC address: "" with it in *text, or the
    // refusal.
    std::string ProfileFor(const std::string& mac, std::string* text) const;

  private:
    std::string ReadKey(const FleetOptions& fleet);

    std::string familyName_, profile_, key_, digest_;
    const profile::Family* family_ = nullptr;
    bool hasKey_ = false, allowUnlisted_ = false, inventory_ = false;
    CInventory rows_;
};
