#pragma once

// The screen classes by name, for the command line, the class registry and
// the tests: the seven designed screens, then the dialogs of live mode.

#include <vector>

#include "app/MainForm.h"

struct ScreenEntry {
    const char* className;
    TScreenClass make;
};

const std::vector<ScreenEntry>& ScreenCatalog();
const ScreenEntry* FindScreen(const QString& className);
