#pragma once

// The start-up work of the component units, run before any window exists.
void RunUnitStartup();
