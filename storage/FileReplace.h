// Platform interface: durable replacement of a file.
#pragma once

#include <cstdio>
#include <string>

// Pushes the stream's buffered and cached data to the disk.
bool flushToDisk(std::FILE* file);

// Moves from over to (replacing an existing file, write-through).
bool replaceFile(const std::string& from, const std::string& to);

// False when path names an existing file that may not be written: a
// read-only file, or one this user lacks the right to write. Writing such a
// file in place would fail to open it, so replacing it is refused as well.
bool mayOverwrite(const std::string& path);
