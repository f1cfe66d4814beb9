// The one-line edit above a list: every change of its text becomes the
// store's keyword and rebuilds the list.
#pragma once

#include "ui/framework/Window.h"

class ItemStore;

class SearchBox : public Window {
public:
    static constexpr int TextLimit = 16;

    explicit SearchBox(ItemStore& store) : store_(store) {}
    // -1 when the window cannot be created, else 0.
    int create(HWND parent, const RECT& rect, int id);

protected:
    bool onReflectedCommand(int code, LRESULT& result) override;

private:
    ItemStore& store_;
};
