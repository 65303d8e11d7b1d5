// File access by UTF-8 path on POSIX systems, where paths are bytes already.
#include "app/text_file_platform.h"

FILE* OpenFileByPath(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

bool ReplaceFileByPath(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

void RemoveFileByPath(const std::string& path) {
    std::remove(path.c_str());
}
