// The start-with-the-system entry as a value of the current user's Run key
// (HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run), which
// every user may write. The value holds the program's full path in
// quotation marks, so a path with spaces cannot start another program.
#pragma once

#include <string>

#include "core/StartupEntry.h"

class RunKeyStartupEntry : public StartupEntry {
public:
    static constexpr const wchar_t* RunKeyPath =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr const wchar_t* DefaultValueName = L"Quillbox";

    explicit RunKeyStartupEntry(const wchar_t* valueName = DefaultValueName)
        : valueName_(valueName) {}

    int set(int enable) override;

    // The value's data: the running program's path in quotation marks
    // ("" when the path cannot be had).
    static std::wstring commandLine();

private:
    std::wstring valueName_;
};
