#pragma once

// The stored form of the PT grid's content: the value of its Rows property in a
// screen definition.

#include <string>

#include "stream/FormValue.h"

class TPTRows;

class TPTModelStorage {
public:
    // One item per row (Expand, Cells, RowStyle); each cell item holds only its
    // properties that differ from their defaults.
    static FormValue Write(const TPTRows& rows);

    // Replaces the rows by the stored ones, setting the stored properties through
    // the setters as the grid reads its definition. The whole value is checked
    // before the rows are touched: on EFormError (which names resource and the
    // place of the fault) the rows stay as they were.
    static void Read(TPTRows& rows, const FormValue& value, const std::string& resource);
};
