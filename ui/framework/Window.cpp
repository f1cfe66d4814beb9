#include "ui/framework/Window.h"

#include <commctrl.h>

#include <new>
#include <vector>

#include "core/TextCodec.h"
#include "ui/framework/Win32MessageSink.h"

namespace {
const wchar_t kObjectProperty[] = L"Quillbox.Window";
const UINT_PTR kSubclassId = 1;

const wchar_t kReportingProperty[] = L"Quillbox.Reporting";

bool isCtlColor(UINT msg) {
    return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC;
}

// An exception that ended a message handler: shown in a box owned by the
// handler's top-level window, and the program carries on. While that box is
// open the same failure may come again (a paint, say): it is shown once.
void reportException(HWND hwnd, const wchar_t* text) {
    HWND owner = IsWindow(hwnd) ? GetAncestor(hwnd, GA_ROOT) : nullptr;
    if (owner != nullptr && GetPropW(owner, kReportingProperty) != nullptr) return;
    if (owner != nullptr) SetPropW(owner, kReportingProperty, reinterpret_cast<HANDLE>(1));
    MessageBoxW(owner, text, Win32MessageSink::Title, MB_OK | MB_ICONSTOP);
    // The owner may have gone while the box was open.
    if (owner != nullptr && IsWindow(owner)) RemovePropW(owner, kReportingProperty);
}

// Runs a handler; what it throws is reported, never lost.
template <typename Handler>
void guarded(HWND hwnd, Handler handler) {
    try {
        handler();
    } catch (const std::bad_alloc&) {
        reportException(hwnd, L"内存分配失败！");
    } catch (...) {
        reportException(hwnd, L"程序内部错误！");
    }
}
}  // namespace

Window::~Window() {
    if (hwnd_ != nullptr) detachHandle();
}

Window* Window::fromHandle(HWND hwnd) {
    if (hwnd == nullptr) return nullptr;
    return static_cast<Window*>(GetPropW(hwnd, kObjectProperty));
}

void Window::attach(HWND hwnd) {
    hwnd_ = hwnd;
    SetPropW(hwnd, kObjectProperty, this);
}

void Window::detachHandle() {
    if (hwnd_ == nullptr) return;
    if (subclassed_) RemoveWindowSubclass(hwnd_, &Window::subclassProc, kSubclassId);
    if (GetPropW(hwnd_, kObjectProperty) == this) RemovePropW(hwnd_, kObjectProperty);
    subclassed_ = false;
    hwnd_ = nullptr;
}

bool Window::subclass(HWND hwnd) {
    if (hwnd == nullptr || hwnd_ != nullptr || !IsWindow(hwnd)) return false;
    if (!SetWindowSubclass(hwnd, &Window::subclassProc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    subclassed_ = true;
    attach(hwnd);
    return true;
}

bool Window::subclassDlgItem(int id, HWND parent) {
    return subclass(GetDlgItem(parent, id));
}

bool Window::createControl(const wchar_t* className, const wchar_t* text, DWORD style,
                           DWORD exStyle, const RECT& rect, HWND parent, int id) {
    HWND hwnd = CreateWindowExW(exStyle, className, text, style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
    if (hwnd == nullptr) return false;
    SendMessageW(hwnd, WM_SETFONT, SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
    if (!subclass(hwnd)) {
        DestroyWindow(hwnd);
        return false;
    }
    return true;
}

void Window::destroyWindow() {
    if (isAlive()) DestroyWindow(hwnd_);
}

bool Window::preTranslateMessage(MSG&) { return false; }

LRESULT CALLBACK Window::subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR refData) {
    auto* self = reinterpret_cast<Window*>(refData);
    LRESULT result = 0;
    bool handled = false;
    guarded(hwnd, [&] { result = self->dispatch(msg, wParam, lParam, handled); });
    if (!handled) result = DefSubclassProc(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        self->detachHandle();
        guarded(hwnd, [self] { self->onFinalMessage(); });
    }
    return result;
}

LRESULT Window::defaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (subclassed_) return DefSubclassProc(hwnd_, msg, wParam, lParam);
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT Window::dispatch(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    LRESULT result = 0;
    handled = reflect(msg, wParam, lParam, result) || crack(msg, wParam, lParam, result);
    return result;
}

bool Window::reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header == nullptr) return false;
        Window* child = fromHandle(header->hwndFrom);
        return child != nullptr && child != this && child->onReflectedNotify(*header, result);
    }
    if (msg == WM_COMMAND && lParam != 0) {
        Window* child = fromHandle(reinterpret_cast<HWND>(lParam));
        return child != nullptr && child != this &&
               child->onReflectedCommand(HIWORD(wParam), result);
    }
    if (isCtlColor(msg)) {
        Window* child = fromHandle(reinterpret_cast<HWND>(lParam));
        return child != nullptr && child != this &&
               child->onReflectedCtlColor(reinterpret_cast<HDC>(wParam), result);
    }
    return false;
}

bool Window::onReflectedNotify(NMHDR&, LRESULT&) { return false; }
bool Window::onReflectedCommand(int, LRESULT&) { return false; }
bool Window::onReflectedCtlColor(HDC, LRESULT&) { return false; }

namespace wintext {

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

std::u16string utf16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

std::wstring wide(const std::string& narrowText) {
    std::u16string converted = widen(narrowText);
    return std::wstring(converted.begin(), converted.end());
}

std::string narrow(const std::wstring& wideText) {
    return ::narrow(std::u16string(wideText.begin(), wideText.end()));
}

std::wstring loadString(UINT id) {
    const wchar_t* text = nullptr;
    int length = LoadStringW(GetModuleHandleW(nullptr), id,
                             reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return std::wstring();
    return std::wstring(text, static_cast<std::size_t>(length));
}

std::wstring windowText(HWND hwnd) {
    int length = GetWindowTextLengthW(hwnd);
    if (length <= 0) return std::wstring();
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(hwnd, buffer.data(), length + 1);
    return std::wstring(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

}  // namespace wintext
