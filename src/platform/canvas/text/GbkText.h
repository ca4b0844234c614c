#pragma once

// Bytes of the Chinese code page (GBK, code page 936) and of the western one
// (1252) as text, for readers of stored data that carry such bytes.

#include <QByteArray>
#include <QString>

// Malformed sequences come out as replacement characters, never as an error.
QString GbkToString(const QByteArray& bytes);
QByteArray StringToGbk(const QString& text);
// 936 decodes as GBK; every other code page as 1252.
QString CodePageToString(const QByteArray& bytes, int codePage);
