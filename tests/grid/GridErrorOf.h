#pragma once

// The message of the grid error a call raises, or "no error".

#include <functional>
#include <string>

#include "grid/layout/GridTypes.h"

inline std::string ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const EGridException& e) {
        return e.what();
    }
    return "no error";
}
