// Copied files (format 15): the bytes are a DROPFILES block, kept and
// pasted as they were copied. Its caption is "[文件] " and the file names
// (no folders) with "; " between them, or "[文件]" when the block cannot be
// read; search looks at the full paths.
#pragma once

#include <optional>
#include <vector>

#include "core/StoredFormatItem.h"

class FileListItem : public StoredFormatItem {
public:
    // An empty item, to be filled by setText or deserialize.
    FileListItem();

    // The full paths, or nothing when the block cannot be read.
    std::optional<std::vector<std::u16string>> paths() const;

    // The full paths, one a line ("\r\n" between them), as narrow text.
    std::string narrowText() const override;
    std::u16string wideSummary() const override;
    int matches(const char* keyword) const override;
    int matchesWide(const std::u16string& keyword) const override;
};
