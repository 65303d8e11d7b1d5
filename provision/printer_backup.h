// A printer's settings as read, kept in a folder before anything is written to it, and found
// again by its MAC address.
#pragma once

#include <chrono>
#include <string>

#include "page_shared/profile.h"

namespace ui {
struct DialogDesc;
}

// The file name of a backup of the printer with this MAC address made at `when`:
// 00-1A-2B-3C-4D-5E_2026-12-08@10-09-29.123.json (UTC; no ':', which Windows does not allow in a
// name). "" when mac is not a MAC address, which could not name a file safely.
std::string BackupName(const std::string& mac, std::chrono::system_clock::time_point when);

// Writes profileText as a new file of the owner's alone in dir, never over an existing one:
// "" with its path in *path, or why it cannot.
std::string WriteBackup(const std::string& dir, const std::string& mac,
                        const std::string& profileText, std::string* path);

// The newest backup of the printer with this MAC address in dir: "" with its path in *path, or
// why there is none.
std::string NewestBackup(const std::string& dir, const std::string& mac, std::string* path);

// The newest backup of the printer with this MAC address in dir, read and checked as any profile
// of family is (a file in the folder may have been changed): "" with its path in *path and its
// text in *text, or why it cannot be taken.
std::string ReadNewestBackup(const std::string& dir, const std::string& mac,
                             const profile::Family& family, const ui::DialogDesc& desc,
                             std::string* path, std::string* text);
