#pragma once

// The platform's dialog that asks which existing file to open, and the
// reading of a file chosen there.

#include <functional>

#include <QByteArray>
#include <QString>

class TWinControl;

// The path chosen; empty when cancelled. filter is in Qt's form, for example
// "Pictures (*.png *.jpg)".
QString OpenFileName(TWinControl* owner, const QString& caption, const QString& filter);

// Tests and automation answer in place of the dialog (caption, filter -> path).
using TOpenFileNameHook = std::function<QString(const QString& caption, const QString& filter)>;
void SetOpenFileNameHook(TOpenFileNameHook hook);

enum class TReadResult { Read, TooLarge, Failed };
// Reads the whole file when it holds at most limit bytes; a larger one is not
// read at all.
TReadResult ReadFileUpTo(const QString& path, qint64 limit, QByteArray& data);
