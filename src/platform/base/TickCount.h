#pragma once

// The platform's clock for input timing: milliseconds since an arbitrary start,
// and the longest gap between the two clicks of a double click.

#include <cstdint>
#include <functional>

uint32_t GetTickCount();
int GetDoubleClickTime();

// Replaces the clock GetTickCount reads, for the current context only, so that
// timing can be stepped by hand; an empty source goes back to the steady clock.
void SetTickSource(std::function<uint32_t()> source);
