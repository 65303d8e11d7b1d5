// Whole-file reads and writes by UTF-8 path; each platform has its own file.
#pragma once

#include <string>

// Who may read a file that is written: whoever its folder lets, or its owner alone (a file that
// holds a security key).
enum class FileAccess { kShared, kOwnerOnly };

// False when the file cannot be read.
bool ReadTextFile(const std::string& path, std::string* content);
// Writes content to a temporary name beside path, then puts it in path's place in one step, so
// an existing file is never left half-written. The file has access from the moment it is made.
// False when either step fails.
bool WriteFileReplacing(const std::string& path, const std::string& content,
                        FileAccess access = FileAccess::kShared);
