// The texts of the rows being dragged out of a list, copied when the drag
// begins (the items themselves may go away while the drag runs), and the
// one plain text a drop site receives: the narrow texts in row order, each
// followed by CR LF when there are two or more.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class ClipItem;

class DraggedTexts {
public:
    void add(const ClipItem& item);
    std::size_t count() const { return texts_.size(); }
    // The rendered text, without a terminator.
    std::string render() const;

private:
    std::vector<std::string> texts_;
};
