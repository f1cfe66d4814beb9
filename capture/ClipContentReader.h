// Reads what a copy carries into a new clip item: its text when it has any
// (as ClipTextReader reads it from the data object), else, straight from
// the system clipboard (OLE's clipboard object gives no DIB), an image
// (CF_DIB, which the system also makes from CF_DIBV5 and CF_BITMAP, else
// the registered "PNG" format decoded into a packed DIB), else copied files
// (CF_HDROP). None when the copy carries none of them, or an image too
// large to keep.
#pragma once

#include <objidl.h>

#include <memory>

#include "capture/ClipTextReader.h"

class ClipItem;

class ClipContentReader {
public:
    ClipContentReader();

    std::unique_ptr<ClipItem> read(IDataObject* data) const;

private:
    // With the system clipboard open.
    std::unique_ptr<ClipItem> readImage() const;
    std::unique_ptr<ClipItem> readFiles() const;

    ClipTextReader text_;
    CLIPFORMAT png_;
};
