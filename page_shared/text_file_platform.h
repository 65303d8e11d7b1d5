// What whole-file reads and writes need of the platform: paths are UTF-8 on every platform.
#pragma once

#include <cstdio>
#include <string>

#include "page_shared/text_file.h"

// Opens path with an fopen mode. For kOwnerOnly the mode is "wb", which only makes a new file
// (an existing one, which others may read, is refused), or "ab", where a file made anew has that
// access.
FILE* OpenFileByPath(const std::string& path, const char* mode,
                     FileAccess access = FileAccess::kShared);
// Puts from in to's place in one step, replacing what is there.
bool ReplaceFileByPath(const std::string& from, const std::string& to);
void RemoveFileByPath(const std::string& path);
