// The standard open and save dialogs of the list commands: no initial file
// name, the read-only box hidden, a question before an existing file is
// overwritten, and two filters (the list's own files, then all files). The
// program's current directory is the same after the dialog as before it.
#pragma once

#include <windows.h>

#include <string>

class FileDialog {
public:
    enum class Kind { Backup, TextList };  // *.bin or *.txt
    enum class Mode { Open, Save };

    FileDialog(Kind kind, Mode mode) : kind_(kind), mode_(mode) {}

    // Runs the dialog; false when it was cancelled (also by an exit).
    bool run(HWND owner);
    // The chosen path, and its extension as the dialog reports it (after
    // the last dot of the file name, "" without one).
    const std::wstring& path() const { return path_; }
    const std::wstring& extension() const { return extension_; }

private:
    Kind kind_;
    Mode mode_;
    std::wstring path_;
    std::wstring extension_;
};
