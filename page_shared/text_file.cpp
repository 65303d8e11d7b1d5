// Whole-file reads and writes by UTF-8 path.
#include "page_shared/text_file.h"

#include "page_shared/text_file_platform.h"

bool ReadTextFile(const std::string& path, std::string* content) {
    FILE* file = OpenFileByPath(path, "rb");
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

bool WriteFileReplacing(const std::string& path, const std::string& content, FileAccess access) {
    const std::string temporary = path + ".tmp";
    // One left behind by an earlier run would keep whatever access it had.
    RemoveFileByPath(temporary);
    FILE* file = OpenFileByPath(temporary, "wb", access);
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    if (std::fclose(file) != 0 || !written || !ReplaceFileByPath(temporary, path)) {
        RemoveFileByPath(temporary);
        return false;
    }
    return true;
}
