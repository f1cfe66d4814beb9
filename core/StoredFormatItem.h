// An item holding the content of a clipboard format other than text (an
// image, a list of files): it goes back on the clipboard as the bytes it
// holds, under its own format, its caption is the narrow form of its wide
// one, and it has no text to edit and no characters to count.
#pragma once

#include <string>

#include "core/ClipItem.h"

class StoredFormatItem : public ClipItem {
public:
    std::string summary() const override;
    int putOnClipboard(Clipboard& clipboard) const override;
    bool isEditable() const override { return false; }
    bool countsCharacters() const override { return false; }
};
