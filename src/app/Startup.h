#pragma once

// The start-up work of the component units, run before any window exists, and
// their clean-up at exit.
void RunUnitStartup();
void RunUnitFinalization();
