#pragma once

// Readable Qt values in test failure messages.

#include <ostream>

#include <QString>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
