#pragma once

// Registers the standard controls the screens are built from (button, label,
// edit, bevel, panel, splitter, image list, tree view) with their published
// properties. Needs RegisterPlatformClasses first; calling it again does nothing.
void RegisterStdControlClasses();
