#pragma once

// Publishes the gradient panel and the extended group box, with their gradient
// as a sub-object (Gradient.BeginColor, ...), to the stored definitions. Needs
// RegisterPlatformClasses and RegisterStdControlClasses first; calling it again
// does nothing.
void RegisterGradientClasses();
