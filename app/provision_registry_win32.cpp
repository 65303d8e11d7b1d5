// Zephra.exe's "Backups and network check..." choices in the registry, per user.
#include "app/provision_registry.h"

#include <windows.h>

#include <shlobj.h>

#include "ui/win32/text.h"

namespace {

constexpr wchar_t kKey[] = L"Software\\Zephra";
constexpr wchar_t kBackups[] = L"Backups";
constexpr wchar_t kBackupFolder[] = L"BackupFolder";
constexpr wchar_t kNetworkCheck[] = L"NetworkCheck";
constexpr wchar_t kNetworkCheckSeconds[] = L"NetworkCheckSeconds";

bool ReadDword(HKEY key, const wchar_t* name, DWORD* value) {
    DWORD size = sizeof *value, type = 0;
    return RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD;
}

bool ReadText(HKEY key, const wchar_t* name, std::string* text) {
    wchar_t value[MAX_PATH + 1] = {};
    DWORD size = sizeof value - sizeof value[0], type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    *text = ui::Narrow(value);
    return true;
}

void WriteDword(HKEY key, const wchar_t* name, DWORD value) {
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

}  // namespace

ProvisionSettings LoadProvisionSettings() {
    ProvisionSettings settings;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return settings;
    DWORD value = 0;
    if (ReadDword(key, kBackups, &value))
        settings.backups = value != 0;
    ReadText(key, kBackupFolder, &settings.backupDir);
    if (ReadDword(key, kNetworkCheck, &value))
        settings.verify = value != 0;
    // A value the settings dialog could not have written is not taken.
    if (ReadDword(key, kNetworkCheckSeconds, &value) && value >= kMinVerifySeconds &&
        value <= kMaxVerifySeconds)
        settings.verifySeconds = value;
    RegCloseKey(key);
    return settings;
}

void StoreProvisionSettings(const ProvisionSettings& settings) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    WriteDword(key, kBackups, settings.backups ? 1 : 0);
    const std::wstring folder = ui::Widen(settings.backupDir);
    RegSetValueExW(key, kBackupFolder, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    WriteDword(key, kNetworkCheck, settings.verify ? 1 : 0);
    WriteDword(key, kNetworkCheckSeconds, settings.verifySeconds);
    RegCloseKey(key);
}

std::string DefaultBackupDir() {
    wchar_t folder[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
        return "Backups";
    return ui::Narrow(folder) + "\\Zephra\\Backups";
}
