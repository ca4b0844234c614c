#pragma once

// A timer that belongs to no window: it fires OnTimer every Interval
// milliseconds while it is enabled and has a handler's work to do.

#include <memory>

#include "platform/framework/Component.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    const char* ClassName() const override { return "TTimer"; }

    unsigned Interval() const { return interval_; }
    // 0 stops the timer, as disabling does.
    void SetInterval(unsigned milliseconds);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Enabled with a non-zero interval: ticks are being delivered.
    bool Running() const;

    // Runs under the default error handling.
    TNotifyEvent OnTimer;

private:
    class Ticker;
    void Update();

    unsigned interval_ = 1000;
    bool enabled_ = true;
    std::unique_ptr<Ticker> ticker_;
};
