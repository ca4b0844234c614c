#pragma once

// Memory hints to the operating system, kept out of the components.

#include <cstddef>

// Asks the system to back [address, address + bytes) with huge pages. Only a
// hint: where the system declines or knows no such thing, nothing changes.
void AdviseHugePages(void* address, std::size_t bytes);
