#include "core/DraggedTexts.h"

#include "core/ClipItem.h"

void DraggedTexts::add(const ClipItem& item) { texts_.push_back(item.narrowText()); }

std::string DraggedTexts::render() const {
    std::string text;
    for (const std::string& one : texts_) {
        text += one;
        if (texts_.size() > 1) text += "\r\n";
    }
    return text;
}
