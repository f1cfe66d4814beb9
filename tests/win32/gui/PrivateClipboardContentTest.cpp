// Content its writer marks as private, offered by a test data object.
#include "capture/PrivateClipboardContent.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "TestDataObject.h"

namespace {

struct Mark {
    const wchar_t* format;                // registered format name; null: none
    std::vector<unsigned char> bytes;
};

TEST(PrivateClipboardContent, TheMarksOfPasswordManagersMakeContentPrivate) {
    const std::vector<unsigned char> dword0{0, 0, 0, 0};
    const std::vector<unsigned char> dword1{1, 0, 0, 0};
    struct Case {
        const char* what;
        Mark mark;
        bool isPrivate;
    };
    const Case cases[] = {
        {"plain text", {nullptr, {}}, false},
        {"excluded from monitoring", {L"ExcludeClipboardContentFromMonitorProcessing", {}}, true},
        {"viewer ignore", {L"Clipboard Viewer Ignore", {0}}, true},
        {"history refused", {L"CanIncludeInClipboardHistory", dword0}, true},
        {"history allowed", {L"CanIncludeInClipboardHistory", dword1}, false},
        {"history allowed, any value but 0", {L"CanIncludeInClipboardHistory", {0, 1, 0, 0}}, false},
        {"history permission too short to read", {L"CanIncludeInClipboardHistory", {1, 0}}, true},
        {"an unrelated registered format", {L"QuillboxTestUnrelatedFormat", dword0}, false},
    };
    const PrivateClipboardContent rule;
    for (const Case& c : cases) {
        auto* data = new TestDataObject();
        data->offerUnicode(u"secret or not");
        if (c.mark.format != nullptr) {
            const auto format = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(c.mark.format));
            data->offer(format, c.mark.bytes.data(), c.mark.bytes.size());
        }
        EXPECT_EQ(rule.isPrivate(data), c.isPrivate) << c.what;
        EXPECT_EQ(data->references(), 1u) << c.what;
        data->Release();
    }
    EXPECT_FALSE(rule.isPrivate(nullptr));
}

}  // namespace
