#pragma once

// Stored definitions in tests: the problem a broken text reports, and small
// edits of a text.

#include <string>

#include <gtest/gtest.h>

#include "platform/base/Object.h"
#include "stream/FormValue.h"

namespace formtest {

// What load() reports: the problem of a placed error, "other: ..." for an error
// without a place, "no error" when it loads.
template <class Load>
std::string ErrorOf(Load load)
{
    try {
        load();
    } catch (const EFormError& e) {
        return e.Problem();
    } catch (const Exception& e) {
        return std::string("other: ") + e.what();
    }
    return "no error";
}

// The text with its first occurrence of from replaced; a missing one fails the test.
inline std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

} // namespace formtest
