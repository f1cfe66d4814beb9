// Platform interface: writing a file through a temporary one beside it and
// replacing the target with it in one step.
#pragma once

#include <cstdio>
#include <string>

// Creates and opens for writing a new, empty file in the folder of target,
// under a name that no file there has (never target + ".tmp": a file of the
// user's may have that name). Null when it cannot be created; *temporary
// receives its path.
std::FILE* createTemporaryBeside(const std::string& target, std::string* temporary);

// Pushes the stream's buffered and cached data to the disk.
bool flushToDisk(std::FILE* file);

// Puts the file from in the place of to, keeping an existing target's
// attributes and security where the system can. A target held open by
// another program for a moment (a virus scanner, a sync client) is tried
// again for about a second. On failure the target is as it was before.
bool replaceFile(const std::string& from, const std::string& to);

// Deletes the file; false when it could not be deleted.
bool removeFile(const std::string& path);

// False when path names an existing file that may not be written: a
// read-only file, or one this user lacks the right to write. Writing such a
// file in place would fail to open it, so replacing it is refused as well.
bool mayOverwrite(const std::string& path);
