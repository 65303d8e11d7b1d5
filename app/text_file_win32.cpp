// File access by UTF-8 path on Windows, through the wide-character calls.
#include <windows.h>

#include "app/text_file_platform.h"
#include "ui/win32/text.h"

FILE* OpenFileByPath(const std::string& path, const char* mode) {
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
