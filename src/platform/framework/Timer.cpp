#include "platform/framework/Timer.h"

#include <algorithm>
#include <climits>

#include <QBasicTimer>
#include <QObject>
#include <QTimerEvent>

#include "platform/framework/ControlWidget.h"

class TTimer::Ticker : public QObject {
public:
    explicit Ticker(TTimer* owner) : owner_(owner) {}
    QBasicTimer timer;

protected:
    void timerEvent(QTimerEvent* event) override
    {
        if (event->timerId() == timer.timerId())
            GuardedCall([this] { owner_->OnTimer(owner_); });
    }

private:
    TTimer* owner_;
};

TTimer::TTimer(TComponent* owner) : TComponent(owner), ticker_(std::make_unique<Ticker>(this))
{
    Update();
}

TTimer::~TTimer()
{
    ticker_->timer.stop();
}

void TTimer::SetInterval(unsigned milliseconds)
{
    if (Exchange(interval_, milliseconds))
        Update();
}

void TTimer::SetEnabled(bool enabled)
{
    if (Exchange(enabled_, enabled))
        Update();
}

bool TTimer::Running() const
{
    return ticker_->timer.isActive();
}

void TTimer::Update()
{
    // Restarting begins a full interval again.
    ticker_->timer.stop();
    if (enabled_ && interval_ > 0)
        ticker_->timer.start(static_cast<int>(std::min<unsigned>(interval_, INT_MAX)), ticker_.get());
}
