#pragma once

// The checks and conversions the live screens share for the texts a user
// types into stored fields.

#include <QString>

#include "store/StoreRecord.h"

// What is wrong with a text typed for a field ("The login is empty."), or an
// empty text when nothing is.
QString LiveTextProblem(const QString& what, const QString& text, int limit, bool required);
// An optional text: left empty, it is stored as none.
QVariant OptionalText(const QString& text);
