#pragma once

// What a screen shows of the store, as the live editor sees it: read, shown,
// checked and turned into the changes of one save.

#include <vector>

#include <QString>

#include "store/StoreRecord.h"

class RightsStore;

class LiveContent {
public:
    virtual ~LiveContent() = default;
    // Reads the records the screen shows; throws StoreError and then keeps
    // what it had.
    virtual void Read(RightsStore& store) = 0;
    // Shows what was last read; the screen's changes are dropped.
    virtual void Show() = 0;
    // Ends a cell edit in progress, so that its text counts.
    virtual void EndEdit() = 0;
    // The first problem that keeps the changes from being saved, with its cell
    // made current; empty when there is none.
    virtual QString Problem() = 0;
    // What the screen changed since it was last read.
    virtual std::vector<StoreChange> Changes() = 0;
};
