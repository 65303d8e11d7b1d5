// File access by UTF-8 path on Windows, through the wide-character calls.
#include <windows.h>
// After <windows.h>, which they need.
#include <fcntl.h>
#include <io.h>
#include <sddl.h>

#include <vector>

#include "page_shared/text_file_platform.h"
#include "ui/win32/text.h"

namespace {

// A security descriptor that lets the user running this program read, write and delete the file
// and no one else; protected, so the folder's entries are not inherited. LocalFree frees it;
// nullptr when the user cannot be named.
PSECURITY_DESCRIPTOR OwnerOnlyDescriptor() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return nullptr;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    // DWORD storage keeps the record's pointer aligned.
    std::vector<DWORD> user(size / sizeof(DWORD) + 1);
    LPWSTR sid = nullptr;
    const bool named =
        GetTokenInformation(token, TokenUser, user.data(), size, &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &sid);
    CloseHandle(token);
    if (!named)
        return nullptr;
    const std::wstring sddl = L"D:P(A;;FRFWSD;;;" + std::wstring(sid) + L")";
    LocalFree(sid);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor,
                                                         nullptr);
    return descriptor;
}

FILE* OpenOwnerOnly(const std::wstring& path, const char* mode) {
    PSECURITY_DESCRIPTOR descriptor = OwnerOnlyDescriptor();
    if (descriptor == nullptr)
        return nullptr;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    const bool append = mode[0] == 'a';
    HANDLE handle =
        CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &attributes,
                    append ? OPEN_ALWAYS : CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    LocalFree(descriptor);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    const int fd =
        _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY | (append ? _O_APPEND : 0));
    if (fd < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    FILE* file = _fdopen(fd, mode);
    if (file == nullptr)
        _close(fd);
    return file;
}

}  // namespace

FILE* OpenFileByPath(const std::string& path, const char* mode, FileAccess access) {
    if (access == FileAccess::kOwnerOnly)
        return OpenOwnerOnly(ui::Widen(path), mode);
    return _wfopen(ui::Widen(path).c_str(), ui::Widen(mode).c_str());
}

// One step that replaces an existing file, which _wrename would refuse to do.
bool ReplaceFileByPath(const std::string& from, const std::string& to) {
    return MoveFileExW(ui::Widen(from).c_str(), ui::Widen(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void RemoveFileByPath(const std::string& path) {
    _wremove(ui::Widen(path).c_str());
}
