#pragma once

// Registers the six toolbar themes and creates the theme notifier, which makes
// "Default" current. Runs once; later calls do nothing.
void InitSkinThemes();
