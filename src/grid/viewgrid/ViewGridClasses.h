#pragma once

// Registers TTavikCustomViewGrid with the two line colours it publishes, and
// the symbol drawers with the symbol manager.
void RegisterViewGridClasses();
