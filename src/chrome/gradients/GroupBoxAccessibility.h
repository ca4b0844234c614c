#pragma once

// Extended group boxes speak to assistive technology as groupings named by
// their caption. (Gradient panels are panels: the platform names them by
// their caption where it can be seen.)

// Registers the provider of extended group boxes.
void RegisterGroupBoxAccessibility();
