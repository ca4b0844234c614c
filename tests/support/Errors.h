#pragma once

// The message of the error a call raises, for comparing with the exact text.

#include <string>

#include "platform/base/Object.h"

// What f raises as an E, or "no error"; an error of another class fails the test.
template <class E = Exception, class F>
std::string ErrorOf(F f)
{
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    return "no error";
}
