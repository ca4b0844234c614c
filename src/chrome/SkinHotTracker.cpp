#include "chrome/SkinHotTracker.h"

#include <algorithm>
#include <memory>

#include <QApplication>
#include <QBasicTimer>
#include <QCursor>
#include <QTimerEvent>
#include <QWidget>

#include "chrome/SkinPanelObject.h"
#include "platform/ControlWidget.h"
#include "platform/WindowLayer.h"

namespace {

class Ticker : public QObject {
public:
    QBasicTimer timer;

protected:
    void timerEvent(QTimerEvent* event) override
    {
        if (event->timerId() == timer.timerId())
            GuardedCall([] { TSkinHotTracker::Tick(); });
    }
};

struct State {
    std::vector<TSkinPanelObject*> instances;
    TSkinPanelObject* current = nullptr;
    std::unique_ptr<Ticker> ticker;
    TSkinHotTracker::Probe probe;
};

State& S()
{
    static State state;
    return state;
}

TControl* PlatformProbe()
{
    const QPoint pos = QCursor::pos();
    QWidget* widget = QApplication::widgetAt(pos);
    TControl* control = widget ? WindowLayer::ControlFromWidget(widget) : nullptr;
    // Outside its hit area a skinned control is not there for the mouse.
    while (auto* skin = dynamic_cast<TSkinPanelObject*>(control)) {
        const TPoint p = skin->ScreenToClient({pos.x(), pos.y()});
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
    if (!s.ticker)
        s.ticker = std::make_unique<Ticker>();
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
    if (control)
        s.ticker->timer.start(Interval, s.ticker.get());
    else
        s.ticker->timer.stop();
}

bool TSkinHotTracker::TimerExists()
{
    return S().ticker != nullptr;
}

bool TSkinHotTracker::TimerRunning()
{
    return S().ticker && S().ticker->timer.isActive();
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
