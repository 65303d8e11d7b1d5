// Whole-file reads and writes by UTF-8 path, on Windows (wide-character paths).
#include <windows.h>

#include <cstdio>

#include "app/text_file.h"
#include "ui/win32/text.h"

bool ReadTextFile(const std::string& path, std::string* content) {
    FILE* file = _wfopen(ui::Widen(path).c_str(), L"rb");
    if (file == nullptr)
        return false;
    content->clear();
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content->append(buffer, n);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool WriteFileReplacing(const std::string& path, const std::string& content) {
    const std::wstring target = ui::Widen(path);
    const std::wstring temporary = target + L".tmp";
    FILE* file = _wfopen(temporary.c_str(), L"wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    // The rename replaces an existing file in one step, which _wrename would refuse to do.
    if (std::fclose(file) != 0 || !written ||
        !MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        _wremove(temporary.c_str());
        return false;
    }
    return true;
}
