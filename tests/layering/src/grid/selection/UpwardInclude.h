#pragma once

// Looks up from the selections to the editor: the layering check must refuse it.

#include "grid/editor/InplaceEdit.h"
