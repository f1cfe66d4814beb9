#include "core/FileListItem.h"

#include "core/DropFiles.h"
#include "core/TextCodec.h"

namespace {

// The last part of a path: what follows its last backslash or slash, with
// trailing ones dropped first; the path itself when that leaves nothing.
std::u16string nameOf(const std::u16string& path) {
    const std::size_t end = path.find_last_not_of(u"\\/");
    if (end == std::u16string::npos) return path;
    const std::size_t slash = path.find_last_of(u"\\/", end);
    const std::size_t start = slash == std::u16string::npos ? 0 : slash + 1;
    return path.substr(start, end + 1 - start);
}

}  // namespace

FileListItem::FileListItem() { setFormat(FormatFileList); }

std::optional<std::vector<std::u16string>> FileListItem::paths() const {
    return DropFiles::read(text(), static_cast<std::size_t>(byteLength()));
}

std::string FileListItem::narrowText() const {
    const auto all = paths();
    if (!all) return std::string();
    std::u16string lines;
    for (const auto& path : *all) {
        if (!lines.empty()) lines += u"\r\n";
        lines += path;
    }
    return narrow(lines);
}

std::u16string FileListItem::wideSummary() const {
    const auto all = paths();
    if (!all) return cutCaption(u"[文件]");
    std::u16string caption = u"[文件] ";
    for (std::size_t i = 0; i < all->size(); ++i) {
        if (i > 0) caption += u"; ";
        caption += nameOf((*all)[i]);
        // Enough for the cut: every character takes a byte at least.
        if (caption.size() > 2 * SummaryBytes) break;
    }
    return cutCaption(caption);
}

int FileListItem::matches(const char* keyword) const {
    if (keyword == nullptr || keyword[0] == '\0') return 1;
    const std::u16string wide = widen(keyword);
    if (wide.empty()) return 0;
    return matchesWide(wide);
}

int FileListItem::matchesWide(const std::u16string& keyword) const {
    if (keyword.empty()) return 1;
    const auto all = paths();
    if (!all) return 0;
    for (const auto& path : *all) {
        if (path.find(keyword) != std::u16string::npos) return 1;
    }
    return 0;
}
