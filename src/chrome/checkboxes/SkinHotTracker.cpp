#include "chrome/checkboxes/SkinHotTracker.h"

#include <algorithm>
#include <memory>

#include "chrome/checkboxes/SkinPanelObject.h"
#include "platform/base/AppContext.h"
#include "platform/framework/Mouse.h"
#include "platform/framework/Timer.h"

namespace {

struct State {
    std::vector<TSkinPanelObject*> instances;
    TSkinPanelObject* current = nullptr;
    std::unique_ptr<TTimer> ticker;
    TSkinHotTracker::Probe probe;
};

State& S()
{
    return AppContext().State<State>();
}

TControl* PlatformProbe()
{
    const TPoint pos = GetCursorPos();
    TControl* control = FindControlAtPos(pos);
    // Outside its hit area a skinned control is not there for the mouse.
    while (auto* skin = dynamic_cast<TSkinPanelObject*>(control)) {
        const TPoint p = skin->ScreenToClient(pos);
        if (skin->HitTest(p.X, p.Y))
            break;
        control = skin->Parent();
    }
    return control;
}

} // namespace

void TSkinHotTracker::Attach(TSkinPanelObject* control)
{
    State& s = S();
    if (!s.ticker) {
        s.ticker = std::make_unique<TTimer>(nullptr);
        s.ticker->SetEnabled(false);
        s.ticker->SetInterval(Interval);
        s.ticker->OnTimer = TNotifyEvent([](TObject*) { TSkinHotTracker::Tick(); });
    }
    s.instances.push_back(control);
}

void TSkinHotTracker::Detach(TSkinPanelObject* control)
{
    State& s = S();
    s.instances.erase(std::remove(s.instances.begin(), s.instances.end(), control), s.instances.end());
    if (s.current == control)
        SetCurrent(nullptr);
    if (s.instances.empty())
        s.ticker.reset();
}

const std::vector<TSkinPanelObject*>& TSkinHotTracker::Instances()
{
    return S().instances;
}

TSkinPanelObject* TSkinHotTracker::Current()
{
    return S().current;
}

void TSkinHotTracker::SetCurrent(TSkinPanelObject* control)
{
    State& s = S();
    s.current = control;
    if (!s.ticker)
        return;
    // Each new hot control starts a full interval.
    s.ticker->SetEnabled(false);
    s.ticker->SetEnabled(control != nullptr);
}

bool TSkinHotTracker::TimerExists()
{
    return S().ticker != nullptr;
}

bool TSkinHotTracker::TimerRunning()
{
    return S().ticker && S().ticker->Running();
}

void TSkinHotTracker::Tick()
{
    TSkinPanelObject* current = S().current;
    if (current && ControlUnderCursor() != current)
        current->LeaveHot();
}

void TSkinHotTracker::SetProbe(Probe probe)
{
    S().probe = std::move(probe);
}

TControl* TSkinHotTracker::ControlUnderCursor()
{
    return S().probe ? S().probe() : PlatformProbe();
}
