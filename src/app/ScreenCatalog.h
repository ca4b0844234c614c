#pragma once

// The seven screen classes by name, for the command line, the class registry
// and the tests.

#include <vector>

#include "app/MainForm.h"

struct ScreenEntry {
    const char* className;
    TScreenClass make;
};

const std::vector<ScreenEntry>& ScreenCatalog();
const ScreenEntry* FindScreen(const QString& className);
