#pragma once

// Registers the skinned check box and radio button (TSkinCheckBox,
// TSkinRadioButton) with their published properties. Needs
// RegisterPlatformClasses first; calling it again does nothing.
void RegisterCheckBoxClasses();
