#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "core/win32/Handles.h"
#include "storage/FileReplace.h"

namespace {

// About a second of retries for a target another program holds for a moment.
constexpr int ReplaceAttempts = 10;
constexpr DWORD ReplacePauseMs = 100;
constexpr int NameAttempts = 100;

std::wstring wideOf(const std::string& narrow) {
    if (narrow.empty()) return std::wstring();
    const int units = MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()),
                                          nullptr, 0);
    if (units <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()), &wide[0], units);
    return wide;
}

std::string narrowOf(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                          nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::string();
    std::string narrow(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &narrow[0], bytes,
                        nullptr, nullptr);
    return narrow;
}

// The path for the wide file functions: made absolute, and given the long
// path prefix (\\?\ before the drive) once it is long enough that a name
// derived from it (a temporary beside it) could pass MAX_PATH.
std::wstring systemPath(const std::string& path) {
    const std::wstring wide = wideOf(path);
    if (wide.empty()) return wide;
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return wide;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), needed, &full[0], nullptr);
    if (length == 0 || length >= needed) return wide;
    full.resize(length);
    if (full.size() < MAX_PATH - 40 || full.compare(0, 4, L"\\\\?\\") == 0) return full;
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Errors that another program's open handle causes for a moment.
bool isPassing(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_LOCK_VIOLATION || error == ERROR_UNABLE_TO_REMOVE_REPLACED ||
           error == ERROR_USER_MAPPED_FILE;
}

bool moveOver(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// One attempt. An existing target is replaced by ReplaceFileW, which keeps
// its attributes and security; the old file goes to backup first, so
// whatever step fails, the target can be put back under its own name.
DWORD replaceOnce(const std::wstring& from, const std::wstring& to, const std::wstring& backup) {
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return moveOver(from, to) ? ERROR_SUCCESS : GetLastError();
    // A folder of the target's name is never replaced (Wine's ReplaceFileW
    // would move it aside).
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return ERROR_ALREADY_EXISTS;
    if (ReplaceFileW(to.c_str(), from.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr)) {
        DeleteFileW(backup.c_str());
        return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    // The old file was moved to backup and the new one did not follow:
    // the old one goes back.
    if (!exists(to) && exists(backup)) moveOver(backup, to);
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
        return ERROR_SHARING_VIOLATION;
    // A file system without ReplaceFileW: a plain move still replaces it.
    if (!isPassing(error) && exists(from) && moveOver(from, to)) return ERROR_SUCCESS;
    return error;
}

}  // namespace

std::FILE* createTemporaryBeside(const std::string& target, std::string* temporary) {
    const std::wstring base = systemPath(target);
    if (base.empty()) return nullptr;
    const DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        wchar_t suffix[32];
        swprintf(suffix, 32, L".%08lx.tmp", static_cast<unsigned long>(seed + attempt * 7919u));
        const std::wstring name = base + suffix;
        HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS)
                continue;
            return nullptr;
        }
        const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
        std::FILE* file = descriptor >= 0 ? _fdopen(descriptor, "wb") : nullptr;
        if (file == nullptr) {
            if (descriptor >= 0) _close(descriptor); else CloseHandle(handle);
            DeleteFileW(name.c_str());
            return nullptr;
        }
        *temporary = narrowOf(name);
        return file;
    }
    return nullptr;
}

bool flushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
    return _commit(_fileno(file)) == 0;
}

bool replaceFile(const std::string& from, const std::string& to) {
    const std::wstring source = systemPath(from);
    const std::wstring target = systemPath(to);
    if (source.empty() || target.empty()) return false;
    const std::wstring backup = source + L".old";
    for (int attempt = 0; attempt < ReplaceAttempts; ++attempt) {
        if (attempt > 0) Sleep(ReplacePauseMs);
        const DWORD error = replaceOnce(source, target, backup);
        if (error == ERROR_SUCCESS) return true;
        if (!isPassing(error)) return false;
    }
    return false;
}

bool removeFile(const std::string& path) {
    const std::wstring wide = systemPath(path);
    return !wide.empty() && DeleteFileW(wide.c_str()) != 0;
}

bool mayOverwrite(const std::string& path) {
    const std::wstring wide = systemPath(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;  // missing: created anew
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return true;
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
    // What opening it for writing in place would meet: rights and locks.
    const HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    // A program that holds it open for a moment does not make it read-only:
    // the replacement waits for it.
    if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
    const KernelHandle probe(file);
    return true;
}
