#pragma once

// The process-wide list of toolbar themes by name (compared without regard to
// case). A theme object is made on first use and freed when its last user
// releases it.

#include <functional>

#include <QString>
#include <QStringList>

#include "platform/base/Object.h"

class TSkinTheme;

// Makes a theme object that carries the given name.
using TSkinThemeClass = std::function<TSkinTheme*(const QString& name)>;

class ESkinThemeError : public Exception {
    using Exception::Exception;
};

// Fails with "Cannot register theme" for an empty (or over-long) name or no
// class, and "Theme <name> is already registered" for a name already present.
void RegisterTheme(const QString& name, TSkinThemeClass themeClass);
bool IsThemeRegistered(const QString& name);
// Fails with "Unknown theme <name>". The first user makes the object and tells
// it that it is activated.
TSkinTheme* AcquireTheme(const QString& name);
// Fails with "Cannot release theme" for an object not made here.
void ReleaseTheme(TSkinTheme* theme);

// For inspection: the names in registration order, and the users of one theme
// (−1 for an unknown name).
QStringList RegisteredThemes();
int ThemeUseCount(const QString& name);
// Whether a theme object of that name exists now.
bool ThemeInstanceExists(const QString& name);
