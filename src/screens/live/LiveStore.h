#pragma once

// The store the screens read and write. None means the designed sample
// content: every screen then shows what its definition holds and saves nothing.

class RightsStore;

RightsStore* LiveStore();
// The program sets it once the launcher's store is open; tests set it around
// the screens they build.
void SetLiveStore(RightsStore* store);
