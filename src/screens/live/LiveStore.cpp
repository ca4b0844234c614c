#include "screens/live/LiveStore.h"

namespace {

RightsStore*& Current()
{
    static RightsStore* store = nullptr;
    return store;
}

} // namespace

RightsStore* LiveStore()
{
    return Current();
}

void SetLiveStore(RightsStore* store)
{
    Current() = store;
}
