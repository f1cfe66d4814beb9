// The alias dialog ("别名"): the name of a favorite, at most 30 bytes of
// narrow text (15 Chinese characters or 30 letters), with the favorite's
// text shown read-only below it. The alias is kept as narrow text, so a name
// with a character the code page lacks is refused with a message.
#pragma once

#include <string>

#include "ui/CenteredDialog.h"
#include "ui/framework/Win32MessageSink.h"

class AliasDialog : public CenteredDialog {
public:
    static constexpr int NameLimit = 30;
    static constexpr const char* ForeignCharacterMessage = "别名含有无法保存的字符！";

    AliasDialog();

    void setName(const std::string& narrowName) { name_ = narrowName; }
    void setContent(const std::u16string& text) { content_ = text; }
    // The name after OK, narrow text of at most NameLimit bytes.
    const std::string& name() const { return name_; }

protected:
    bool onInitDialog() override;
    void onOK() override;
    bool onCommand(int id, int code, HWND control) override;

private:
    // The field counts characters, the alias bytes: an input that would pass
    // NameLimit bytes is cut back here.
    void keepNameWithinLimit();
    HWND nameField() const;

    std::string name_;
    std::u16string content_;
    // The name field's text after the last change that stayed within the limit.
    std::u16string acceptedName_;
    bool adjusting_ = false;
    Win32MessageSink messages_;
};
