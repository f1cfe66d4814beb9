// Hears of every change of a store, after its view has redrawn (the
// background save listens this way).
#pragma once

class ItemStore;

class StoreChangeListener {
public:
    virtual ~StoreChangeListener() = default;
    virtual void storeChanged(ItemStore& store) = 0;
};
