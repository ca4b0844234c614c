#pragma once

// Looks up from the geometry to the grid control: the layering check must refuse it.

#include "grid/core/TavikCustomGrid.h"
