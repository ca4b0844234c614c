#pragma once

// Publishes the grid core to the stored definitions: the counts and the stored
// ColWidths and RowHeights lists. The published grid classes build on it.
void RegisterGridCoreClasses();
