// The only concrete clip item the program creates (format 13).
#pragma once

#include "core/ClipItem.h"

class UnicodeTextItem : public ClipItem {
public:
    // An empty item, to be filled by setText or deserialize.
    UnicodeTextItem();
    // An item holding the zero-terminated UTF-16 string, without its
    // terminator.
    explicit UnicodeTextItem(const char16_t* text);
    // An item holding exactly the given text.
    explicit UnicodeTextItem(const std::u16string& text);

    std::string narrowText() const override;
    std::string summary() const override;
    int charCount() const override;
    int putOnClipboard(Clipboard& clipboard) const override;
    int matches(const char* keyword) const override;
    std::u16string wideSummary() const override;
    int matchesWide(const std::u16string& keyword) const override;
};
