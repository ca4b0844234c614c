#pragma once

// The rectangles a control marks for repainting, recorded for tests that check
// how much a change repaints (the control lets this class in as a friend).

#include <vector>

#include "platform/framework/Control.h"

class ControlTestAccess {
public:
    static void RecordInvalidations(TControl& control, bool on) { control.recordInvalidations_ = on; }
    // Every rectangle marked since the last call.
    static std::vector<TRect> TakeInvalidations(TControl& control)
    {
        std::vector<TRect> out;
        out.swap(control.invalidations_);
        return out;
    }
};
