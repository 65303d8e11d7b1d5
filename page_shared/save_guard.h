// What the window does around a page's save, beyond the page's own chain: keeps the printer's
// settings before the first byte is written, finds them again, and follows the save to its end.
// The command line keeps its own backups, and has none of this.
#pragma once

#include <string>

#include "page_shared/profile.h"

namespace ui {
struct DialogDesc;
}

class CSaveGuard {
  public:
    // The Save click, once the family's checks have passed: the network check counts from here.
    virtual void OnSaveClicked() = 0;
    // Keeps profileText, the settings a read found (keys included), of the printer with this
    // MAC address before anything is written to it: "" when kept (or when backups are off), or
    // why it could not be.
    virtual std::string KeepBackup(const std::string& mac, const std::string& profileText) = 0;
    // The newest backup of the printer with this MAC address, checked as a profile of family is:
    // "" with its path, its time (UTC) and its text, or why there is none to take.
    virtual std::string NewestBackup(const profile::Family& family, const ui::DialogDesc& desc,
                                     const std::string& mac, std::string* path, std::string* when,
                                     std::string* text) = 0;
    // The save has ended, its last box closed; saved: with success. profileText holds the
    // settings it wrote, without keys.
    virtual void OnSaveEnded(bool saved, const profile::Family& family, const std::string& mac,
                             const std::string& profileText) = 0;

  protected:
    ~CSaveGuard() = default;
};
