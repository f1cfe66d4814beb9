// Platform interface: durable replacement of a file.
#pragma once

#include <cstdio>
#include <string>

// Pushes the stream's buffered and cached data to the disk.
bool flushToDisk(std::FILE* file);

// Moves from over to (replacing an existing file, write-through).
bool replaceFile(const std::string& from, const std::string& to);
