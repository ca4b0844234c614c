#pragma once

// Publishes the flat page control and its pages to the stored definitions: a
// TFlatPageControl with TFlatTabSheet children, its ActivePage by name and its
// TabMargin and ActiveFont as sub-objects. Needs RegisterPlatformClasses and
// RegisterStdControlClasses first; calling it again does nothing.
void RegisterPageControlClasses();
