#pragma once

// Registers TTavikPTGrid with its published properties and events, the stored
// Rows among them, for stored screen definitions.
void RegisterPTGridClasses();
