#pragma once

// Registers TTavikCustomDrawGrid and its published properties and events.
void RegisterDrawGridClasses();
