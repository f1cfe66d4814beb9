// The one-line edit above a list: every change of its text becomes the
// store's keyword and rebuilds the list.
#pragma once

#include <string>

#include "ui/framework/Window.h"

class ItemStore;

class SearchBox : public Window {
public:
    static constexpr int TextLimit = 16;

    explicit SearchBox(ItemStore& store) : store_(store) {}
    ~SearchBox() override;
    // -1 when the window cannot be created, else 0.
    int create(HWND parent, const RECT& rect, int id);

protected:
    bool onReflectedCommand(int code, LRESULT& result) override;

private:
    // The keyword is limited in bytes of narrow text, the edit only in
    // characters: an input that would pass TextLimit bytes is cut back here.
    void keepWithinByteLimit();

    ItemStore& store_;
    // The text after the last change that stayed within the limit.
    std::wstring acceptedText_;
    bool adjusting_ = false;
};
