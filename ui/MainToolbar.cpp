#include "ui/MainToolbar.h"

#include <commctrl.h>

#include "res/resource.h"

namespace {

const int ToolbarIcons[] = {IDI_TOOL_EXIT, IDI_TOOL_SETTINGS, IDI_TOOL_HELP, IDI_TOOL_ABOUT};
const wchar_t* const ToolTexts[] = {L"退出", L"设置", L"帮助", L"关于"};
constexpr int LayoutVersion = 1;
constexpr std::size_t LayoutHeaderWords = 4;

unsigned wordAt(const unsigned char* bytes, std::size_t index) {
    return bytes[2 * index] | (static_cast<unsigned>(bytes[2 * index + 1]) << 8);
}

}  // namespace

std::vector<int> MainToolbar::parseLayout(const unsigned char* bytes, std::size_t size) {
    std::vector<int> commands;
    if (bytes == nullptr || size < 2 * LayoutHeaderWords) return commands;
    if (wordAt(bytes, 0) != LayoutVersion) return commands;
    const std::size_t count = wordAt(bytes, 3);
    if (count > size / 2 - LayoutHeaderWords) return commands;
    for (std::size_t i = 0; i < count; ++i) {
        commands.push_back(static_cast<int>(wordAt(bytes, LayoutHeaderWords + i)));
    }
    return commands;
}

std::vector<int> MainToolbar::loadLayout() {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(IDR_MAINFRAME),
                               MAKEINTRESOURCEW(RT_QB_TOOLBAR));
    if (info == nullptr) return {};
    HGLOBAL loaded = LoadResource(module, info);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    return parseLayout(static_cast<const unsigned char*>(data), SizeofResource(module, info));
}

bool MainToolbar::create(HWND parent, int imageSize) {
    imageSize_ = imageSize;
    toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP,
                               0, 0, 0, 0, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLBAR)),
                               GetModuleHandleW(nullptr), nullptr);
    if (toolbar_ == nullptr) return false;
    SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(imageSize_, imageSize_));
    commands_ = loadLayout();
    if (createImages()) {
        SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
    }
    addButtons();
    fitToParent();
    createTooltips(parent);
    return true;
}

bool MainToolbar::createImages() {
    const int count = static_cast<int>(sizeof ToolbarIcons / sizeof ToolbarIcons[0]);
    images_.reset(ImageList_Create(imageSize_, imageSize_, ILC_COLOR8 | ILC_MASK, count, 0));
    if (!images_) return false;
    for (int id : ToolbarIcons) {
        IconHandle icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                      MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                      imageSize_, imageSize_,
                                                      LR_DEFAULTCOLOR)));
        // The list keeps its own copy of the image.
        if (icon) ImageList_AddIcon(images_.get(), icon.get());
    }
    return true;
}

void MainToolbar::addButtons() {
    std::vector<TBBUTTON> buttons;
    for (std::size_t i = 0; i < commands_.size(); ++i) {
        TBBUTTON button{};
        button.iBitmap = static_cast<int>(i);
        button.idCommand = commands_[i];
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
        buttons.push_back(button);
    }
    if (buttons.empty()) return;
    SendMessageW(toolbar_, TB_ADDBUTTONSW, buttons.size(),
                 reinterpret_cast<LPARAM>(buttons.data()));
}

void MainToolbar::createTooltips(HWND parent) {
    tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (tooltips_ == nullptr) return;
    SendMessageW(tooltips_, TTM_ACTIVATE, TRUE, 0);
    const int count = static_cast<int>(sizeof ToolTexts / sizeof ToolTexts[0]);
    for (int i = 0; i < count; ++i) {
        TTTOOLINFOW tool = toolInfo(i);
        tool.lpszText = const_cast<wchar_t*>(ToolTexts[i]);
        SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void MainToolbar::setImageSize(int imageSize) {
    if (toolbar_ == nullptr || imageSize == imageSize_) return;
    const LRESULT button = SendMessageW(toolbar_, TB_GETBUTTONSIZE, 0, 0);
    const int marginX = LOWORD(button) - imageSize_;
    const int marginY = HIWORD(button) - imageSize_;
    imageSize_ = imageSize;
    // The toolbar lets go of the old list before it is destroyed.
    ImageListHandle old = std::move(images_);
    const bool created = createImages();
    SendMessageW(toolbar_, TB_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(created ? images_.get() : nullptr));
    old.reset();
    SendMessageW(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(imageSize_, imageSize_));
    SendMessageW(toolbar_, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(imageSize_ + marginX, imageSize_ + marginY));
    fitToParent();
    updateToolRectangles();
}

void MainToolbar::updateToolRectangles() {
    if (tooltips_ == nullptr) return;
    const int count = static_cast<int>(sizeof ToolTexts / sizeof ToolTexts[0]);
    for (int i = 0; i < count; ++i) {
        TTTOOLINFOW tool = toolInfo(i);
        SendMessageW(tooltips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// The tooltip's record of button i, with the button's present rectangle.
TTTOOLINFOW MainToolbar::toolInfo(int i) const {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = toolbar_;
    tool.uId = static_cast<UINT_PTR>(i + 1);
    SendMessageW(toolbar_, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&tool.rect));
    return tool;
}

int MainToolbar::buttonHeight() const {
    if (toolbar_ == nullptr) return 0;
    RECT item{};
    if (!SendMessageW(toolbar_, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return item.bottom - item.top;
}

void MainToolbar::fitToParent() {
    if (toolbar_ != nullptr) SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
}

void MainToolbar::relayEvent(MSG& msg) {
    if (tooltips_ != nullptr) {
        SendMessageW(tooltips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
}
