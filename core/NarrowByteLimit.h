// Keeps the text of an edit field within a number of bytes of narrow text,
// counted by NarrowMeasure (16 for a search keyword, 30 for an alias), where
// the field itself can only count characters. Of what an edit inserted, as
// much is kept as still fits, the way a field with a length limit takes a
// paste.
#pragma once

#include <cstddef>
#include <string>

class NarrowByteLimit {
public:
    struct Fitted {
        std::u16string text;
        std::size_t caret;  // behind the part of the insertion that was kept
    };

    explicit NarrowByteLimit(std::size_t maxBytes) : maxBytes_(maxBytes) {}

    std::size_t maxBytes() const { return maxBytes_; }
    bool fits(const std::u16string& text) const;

    // after is the field's text after an edit of before. The edit's
    // insertion is cut to what fits, never inside a character; when the
    // rest of the text is already too long, the longest fitting start of
    // after is kept.
    Fitted fit(const std::u16string& before, const std::u16string& after) const;

private:
    // The longest start of text that takes at most budget bytes.
    static std::u16string prefixWithin(const std::u16string& text, std::size_t budget);

    std::size_t maxBytes_;
};
