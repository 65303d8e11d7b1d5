// Backups of printers' settings: their names, their writing and the newest of a printer.
#include "provision/printer_backup.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "page_shared/text_file.h"
#include "page_shared/text_file_platform.h"
#include "provision/mac_address.h"

namespace {

constexpr char kSuffix[] = ".json";
// A backup is a small profile; anything bigger is not one.
constexpr size_t kMaxBackupBytes = 16 << 20;

// Joins a folder and a file name as the operator gave the folder; '/' serves on Windows too.
std::string InDir(const std::string& dir, const std::string& name) {
    if (dir.empty() || dir.back() == '/' || dir.back() == '\\')
        return dir + name;
    return dir + "/" + name;
}

// The MAC address part of a backup's name, as MacKey gives it.
std::string MacOfName(const std::string& name) {
    const size_t cut = name.find('_');
    return cut == std::string::npos ? std::string() : MacKey(name.substr(0, cut));
}

}  // namespace

std::string BackupName(const std::string& mac, std::chrono::system_clock::time_point when) {
    const std::string key = MacKey(mac);
    if (key.empty())
        return std::string();
    std::string name;
    for (size_t i = 0; i < key.size(); i += 2)
        name += std::string(i == 0 ? "" : "-") +
                static_cast<char>(std::toupper(static_cast<unsigned char>(key[i]))) +
                static_cast<char>(std::toupper(static_cast<unsigned char>(key[i + 1])));
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch());
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    // Printers are applied on one thread only.
    char time[40];
    std::strftime(time, sizeof time, "_%Y-%m-%d@%H-%M-%S", std::gmtime(&seconds));
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, ".%03d", static_cast<int>(ms.count() % 1000));
    return name + time + fraction + kSuffix;
}

std::string WriteBackup(const std::string& dir, const std::string& mac,
                        const std::string& profileText, std::string* path) {
    const std::string name = BackupName(mac, std::chrono::system_clock::now());
    if (name.empty())
        return "no backup: the printer's MAC address \"" + mac + "\" cannot name one";
    *path = InDir(dir, name);
    // The file is new and the owner's alone from the start; an existing one is never replaced.
    FILE* file = OpenFileByPath(*path, "wb", FileAccess::kOwnerOnly);
    if (file == nullptr)
        return "the backup " + *path + " could not be made";
    const bool written =
        std::fwrite(profileText.data(), 1, profileText.size(), file) == profileText.size();
    if (std::fclose(file) != 0 || !written) {
        RemoveFileByPath(*path);
        return "the backup " + *path + " could not be written";
    }
    return std::string();
}

std::string NewestBackup(const std::string& dir, const std::string& mac, std::string* path) {
    const std::string key = MacKey(mac);
    std::error_code error;
    std::filesystem::directory_iterator entries(std::filesystem::u8path(dir), error);
    if (error)
        return "cannot read the folder " + dir;
    // After the MAC address a name holds its time, written so that the newest sorts last.
    std::string newest, newestTime;
    for (const std::filesystem::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().u8string();
        const std::string time = name.substr(std::min(name.find('_'), name.size()));
        if (!key.empty() && MacOfName(name) == key && time.size() > sizeof kSuffix &&
            time.compare(time.size() - (sizeof kSuffix - 1), std::string::npos, kSuffix) == 0 &&
            entry.is_regular_file(error) && time > newestTime) {
            newest = name;
            newestTime = time;
        }
    }
    if (newest.empty())
        return "no backup of " +
               (mac.empty() ? std::string("a printer without a MAC address") : mac) + " in " + dir;
    *path = InDir(dir, newest);
    return std::string();
}

std::string ReadNewestBackup(const std::string& dir, const std::string& mac,
                             const profile::Family& family, const ui::DialogDesc& desc,
                             std::string* path, std::string* text) {
    std::string refusal = NewestBackup(dir, mac, path);
    if (!refusal.empty())
        return refusal;
    if (!ReadTextFile(*path, text) || text->size() > kMaxBackupBytes)
        return "cannot read the backup " + *path;
    std::string name;
    refusal = profile::ReadProfileFamily(*text, &name);
    if (refusal.empty() && name != family.name)
        refusal = profile::OtherFamilyMessage(name);
    if (refusal.empty())
        refusal = profile::CheckProfile(desc, family, *text);
    return refusal.empty() ? std::string() : *path + ": " + refusal;
}
