// Writes both stores to the data file, reporting failures through the
// given sink: 0, or the negative code of the failed step.
#pragma once

class MessageSink;

class StoreSaver {
public:
    virtual ~StoreSaver() = default;
    virtual int writeStores(MessageSink& messages) = 0;
};
