#pragma once

// The control looking down at the geometry is fine: the check must let it pass.

#include "grid/layout/GridTypes.h"
