#pragma once

// Publishes actions, action lists, the theme switcher, docks, toolbars and
// their items to the stored definitions, and sets up the toolbar themes
// (registering them and making "Default" current). Needs
// RegisterPlatformClasses and RegisterStdControlClasses first; calling it
// again does nothing.
//
// In a stored definition actions sit beside their list and name it
// (ActionList = aclFuncs); items sit inside their toolbar and name their
// action (Action = acSave). Names may refer to components read later.
void RegisterToolbarClasses();
