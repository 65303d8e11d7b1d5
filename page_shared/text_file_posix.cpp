// File access by UTF-8 path on POSIX systems, where paths are bytes already.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "page_shared/text_file_platform.h"

FILE* OpenFileByPath(const std::string& path, const char* mode, FileAccess access) {
    if (access == FileAccess::kShared)
        return std::fopen(path.c_str(), mode);
    // The owner's read and write alone from the start, before a byte goes in.
    const bool append = mode[0] == 'a';
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_EXCL),
                        S_IRUSR | S_IWUSR);
    if (fd < 0)
        return nullptr;
    FILE* file = fdopen(fd, mode);
    if (file == nullptr)
        close(fd);
    return file;
}

bool ReplaceFileByPath(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

void RemoveFileByPath(const std::string& path) {
    std::remove(path.c_str());
}
