// Platform interface: where the program's own files live.
#pragma once

#include <string>

// The folder of the running executable, without a trailing separator.
std::string programFolder();

// The folder part of a module path: everything before its last backslash,
// with one trailing backslash dropped; "" when there is no backslash.
std::string folderOfModulePath(const std::string& modulePath);

// The full name of a file in the given folder ("" folder: the name alone).
std::string pathInFolder(const std::string& folder, const std::string& name);
