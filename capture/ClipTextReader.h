// Reads the text of a data object (the clipboard's, or one dropped on the
// favorites) into a new clip item: Unicode text when offered, else 8-bit
// text converted through the ANSI code page; none when neither is offered
// or the data object gives no memory.
#pragma once

#include <objidl.h>

#include <memory>

class ClipItem;

class ClipTextReader {
public:
    virtual ~ClipTextReader() = default;

    std::unique_ptr<ClipItem> ReadText(IDataObject* data) const;

    // True when data offers the clipboard format in global memory.
    static bool offers(IDataObject* data, CLIPFORMAT format);
};
