#pragma once

// Themed check boxes and radio buttons speak to assistive technology as the
// platform's own do: named by their caption, with its shortcut, checked,
// unchecked or mixed, and pressed through their click.

// Registers the providers of themed check boxes and radio buttons.
void RegisterCheckBoxAccessibility();
