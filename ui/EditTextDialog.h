// The modify dialog ("修改"): edits the text of a favorite and refuses, with
// "文本已存在！", a text that its list already holds (the unchanged text
// included). The text is edited as UTF-16, so characters that the narrow
// code page lacks survive an edit. Enter presses OK.
#pragma once

#include <string>

#include "ui/CenteredDialog.h"
#include "ui/framework/Win32MessageSink.h"

class ItemStore;

class EditTextDialog : public CenteredDialog {
public:
    explicit EditTextDialog(const ItemStore& targetStore);

    void setText(const std::u16string& text) { editText_ = text; }
    // The text after OK.
    const std::u16string& text() const { return editText_; }

protected:
    bool onInitDialog() override;
    void onOK() override;

private:
    const ItemStore& targetStore_;
    std::u16string editText_;
    // Refusals are shown over this dialog, which they keep open.
    Win32MessageSink messages_;
};
