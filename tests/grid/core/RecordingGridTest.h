#pragma once

// A fixture whose grid is shown, painted once and then records the rectangles
// it invalidates.

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/Types.h"
#include "support/ControlTestAccess.h"

template <class G>
class RecordingGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<G>(nullptr);
        Prepare(*grid);
        grid->Widget();
        grid->Update();
        ControlTestAccess::RecordInvalidations(*grid, true);
        ControlTestAccess::TakeInvalidations(*grid);
    }
    // What the fixture changes before the window is shown.
    virtual void Prepare(G&) {}
    std::vector<TRect> Invalidated() { return ControlTestAccess::TakeInvalidations(*grid); }
    std::unique_ptr<G> grid;
};
