// The view of a store; told to redraw itself through refresh.
#pragma once

class StoreObserver {
public:
    virtual ~StoreObserver() = default;
    virtual void refresh() = 0;
};
