#pragma once

// The process-wide hot-tracking state of the skinned check boxes and radio
// buttons: the one control that shows the hot look, and the one 125 ms timer
// that takes the look away when the pointer has left without a mouse event
// reaching the control. The timer exists while any skinned control exists and
// runs only while one of them is hot.

#include <functional>
#include <vector>

class TControl;
class TSkinPanelObject;

class TSkinHotTracker {
public:
    static constexpr int Interval = 125;

    // Every skinned control registers for its lifetime.
    static void Attach(TSkinPanelObject* control);
    static void Detach(TSkinPanelObject* control);
    static const std::vector<TSkinPanelObject*>& Instances();

    static TSkinPanelObject* Current();
    // Makes control the hot one and runs the timer (nullptr stops it).
    static void SetCurrent(TSkinPanelObject* control);
    static bool TimerExists();
    static bool TimerRunning();
    // What the timer does on each tick.
    static void Tick();

    // The control under the mouse pointer, seen through the parts of skinned
    // controls that let the mouse pass. Replaceable so that tests need no pointer.
    using Probe = std::function<TControl*()>;
    static void SetProbe(Probe probe);
    static TControl* ControlUnderCursor();
};
