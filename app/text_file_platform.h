// What whole-file reads and writes need of the platform: paths are UTF-8 on every platform.
#pragma once

#include <cstdio>
#include <string>

FILE* OpenFileByPath(const std::string& path, const char* mode);
// Puts from in to's place in one step, replacing what is there.
bool ReplaceFileByPath(const std::string& from, const std::string& to);
void RemoveFileByPath(const std::string& path);
