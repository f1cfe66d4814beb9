// Nothing leaked: a copy its writer marks as private (as password managers
// do) never reaches the lists or poolfile.bin, and the clipboard viewers
// after the program still hear of it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/DesktopPeer.h"
#include "e2e/ProgramFixture.h"

namespace e2e {
namespace {

using Texts = std::vector<std::u16string>;
using PrivateContent = ProgramFixture;

TEST_F(PrivateContent, MarkedCopiesAreNotStoredAndTheNextViewerHearsOfEveryOne) {
    DesktopPeer peer;
    const int viewer = peer.joinChain();
    ProcessDriver& program = startProgram();
    HWND main = program.waitForMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(waitUntil([&] { return GetClipboardViewer() == main; }));
    peer.run([] {});
    const int before = peer.notices(viewer);

    struct Copy {
        const wchar_t* text;
        const wchar_t* format;  // null: plain text
        std::vector<unsigned char> mark;
    };
    const Copy copies[] = {
        {L"password one", L"ExcludeClipboardContentFromMonitorProcessing", {}},
        {L"password two", L"Clipboard Viewer Ignore", {}},
        {L"password three", L"CanIncludeInClipboardHistory", {0, 0, 0, 0}},
        // A value too short to read is taken as a refusal.
        {L"password four", L"CanIncludeInClipboardHistory", {1, 0}},
        {L"may enter history", L"CanIncludeInClipboardHistory", {1, 0, 0, 0}},
        {L"plain text after them", nullptr, {}},
    };
    for (const Copy& copy : copies) {
        if (copy.format != nullptr) {
            peer.putUnicodeTextMarked(copy.text, copy.format, copy.mark);
        } else {
            peer.putUnicodeText(copy.text);
        }
        // The viewer after the program hears of it only once the program
        // has handled it.
        ASSERT_TRUE(peer.waitForNoticeOf(viewer, copy.text)) << "no notice of a copy";
    }
    EXPECT_EQ(peer.notices(viewer), before + 6);
    // An image is kept out by the same marks.
    peer.putBitmapMarked(L"Clipboard Viewer Ignore", {});
    EXPECT_TRUE(peer.waitForNotices(viewer, before + 7)) << "no notice of the image";

    ASSERT_TRUE(program.exitWithYes());
    const PoolContent pool = readPoolFile(programFile(L"poolfile.bin"));
    EXPECT_TRUE(pool.whole);
    EXPECT_EQ(pool.active, (Texts{u"plain text after them", u"may enter history"}));
}

}  // namespace
}  // namespace e2e
