#pragma once

// Publishes the framework's base classes (components, controls, forms) to the
// stored definitions; the standard controls register next to them.
void RegisterPlatformClasses();
