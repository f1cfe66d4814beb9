// A view that shows one clip item (the preview pane).
#pragma once

class ClipItem;

class ItemViewer {
public:
    virtual ~ItemViewer() = default;
    virtual void refresh() = 0;

    void setItem(const ClipItem* item) { currentItem_ = item; }
    const ClipItem* currentItem() const { return currentItem_; }

private:
    const ClipItem* currentItem_ = nullptr;
};
