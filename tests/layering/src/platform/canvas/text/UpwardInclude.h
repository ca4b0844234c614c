#pragma once

// Looks up from the canvas to the framework: the layering check must refuse it.

#include "platform/framework/Control.h"
