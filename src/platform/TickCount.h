#pragma once

// The platform's clock for input timing: milliseconds since an arbitrary start,
// and the longest gap between the two clicks of a double click.

#include <cstdint>

uint32_t GetTickCount();
int GetDoubleClickTime();
