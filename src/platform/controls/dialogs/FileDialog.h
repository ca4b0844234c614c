#pragma once

// The platform's dialog that asks where to save a file.

#include <functional>

#include <QString>

class TWinControl;

// The path chosen, with suffix added when the name has none; empty when
// cancelled. filter is in Qt's form, for example "PDF (*.pdf)".
QString SaveFileName(TWinControl* owner, const QString& caption, const QString& filter, const QString& suffix);

// Tests and automation answer in place of the dialog (caption, filter -> path).
using TSaveFileNameHook = std::function<QString(const QString& caption, const QString& filter)>;
void SetSaveFileNameHook(TSaveFileNameHook hook);
