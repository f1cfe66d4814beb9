// The rows being dragged out of a list, copied when the drag begins (the
// items themselves may go away while the drag runs), in the forms a drop
// site can ask for: the texts of the text rows as one plain text, the bytes
// of the first image row as it is stored, and the paths of every file-list
// row, in row order, as one DROPFILES block with wide paths. A form no row
// gives is not offered: a drag of images or files alone carries no text, so
// a drop site that prefers text (the favorites among them) still takes the
// image or the files.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/DraggedTexts.h"

class ClipItem;

class DraggedItems {
public:
    void add(const ClipItem& item);
    // Rows taken, of every kind.
    std::size_t count() const { return count_; }

    bool hasText() const { return texts_.count() > 0; }
    // The rendered text of the text rows, without a terminator.
    std::string text() const { return texts_.render(); }
    // The packed DIB of the first image row; empty when there is none.
    const std::vector<unsigned char>& image() const { return image_; }
    // The DROPFILES block; empty when no file-list row gave a path.
    std::vector<unsigned char> files() const;

private:
    std::size_t count_ = 0;
    DraggedTexts texts_;
    std::vector<unsigned char> image_;
    std::vector<std::u16string> paths_;
};
