// Reads a copy without text into a new clip item, straight from the system
// clipboard (OLE's clipboard object gives no DIB): an image (CF_DIB, which
// the system also makes from CF_DIBV5 and CF_BITMAP, else the registered
// "PNG" format decoded into a packed DIB), else copied files (CF_HDROP).
// None when the clipboard holds text (CF_UNICODETEXT or CF_TEXT) or none of
// them, or an image too large to keep.
#pragma once

#include <windows.h>

#include <memory>

class ClipItem;

class ClipContentReader {
public:
    ClipContentReader();

    std::unique_ptr<ClipItem> read() const;

private:
    // With the system clipboard open.
    std::unique_ptr<ClipItem> readImage() const;
    std::unique_ptr<ClipItem> readFiles() const;

    UINT png_;
};
