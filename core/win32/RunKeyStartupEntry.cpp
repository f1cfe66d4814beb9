#include "core/win32/RunKeyStartupEntry.h"

#include <windows.h>

#include <vector>

#include "core/win32/Handles.h"

namespace {

std::wstring modulePath() {
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) return std::wstring();
        if (length < size) return std::wstring(buffer.data(), length);
        if (size >= 32768) return std::wstring();
        buffer.resize(buffer.size() * 2);
    }
}

int writeValue(HKEY key, const std::wstring& name) {
    const std::wstring data = RunKeyStartupEntry::commandLine();
    if (data.empty()) return -1;
    // REG_SZ data counts its terminating zero.
    const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    const LONG result = RegSetValueExW(key, name.c_str(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(data.c_str()), bytes);
    return result == ERROR_SUCCESS ? 0 : -1;
}

int deleteValue(HKEY key, const std::wstring& name) {
    const LONG result = RegDeleteValueW(key, name.c_str());
    return (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND) ? 0 : -1;
}

}  // namespace

std::wstring RunKeyStartupEntry::commandLine() {
    const std::wstring path = modulePath();
    return path.empty() ? path : L"\"" + path + L"\"";
}

int RunKeyStartupEntry::set(int enable) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, RunKeyPath, 0, nullptr, 0,
                        KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS) {
        return -1;
    }
    RegistryKey key(opened);
    return enable != 0 ? writeValue(key.get(), valueName_) : deleteValue(key.get(), valueName_);
}
