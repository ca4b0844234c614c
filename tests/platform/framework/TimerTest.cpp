#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>

#include "platform/framework/Application.h"
#include "platform/framework/Timer.h"

namespace {

// Runs the loop until done() or a generous deadline, so a slow machine only waits longer.
template <class Done>
void RunUntil(Done done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
}

} // namespace

TEST(Timer, TicksWhileEnabledAndStopsWhenDisabledOrAtIntervalZero)
{
    TTimer timer(nullptr);
    EXPECT_TRUE(timer.Running());
    int ticks = 0;
    timer.OnTimer = TNotifyEvent([&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        ++ticks;
    });
    timer.SetInterval(5);
    RunUntil([&] { return ticks >= 2; });
    EXPECT_GE(ticks, 2);

    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Running());
    timer.SetEnabled(true);
    timer.SetInterval(0);
    EXPECT_FALSE(timer.Running());
}

TEST(Timer, AnErrorInTheHandlerGoesToTheDefaultHandling)
{
    std::vector<QString> shown;
    Application()->SetMessageBoxHook([&](const QString& text, const QString&, unsigned) {
        shown.push_back(text);
        return 1;
    });
    TTimer timer(nullptr);
    timer.SetInterval(5);
    timer.OnTimer = TNotifyEvent([&](TObject*) {
        timer.SetEnabled(false);
        throw EInvalidOperation("tick failed");
    });
    RunUntil([&] { return !shown.empty(); });
    Application()->SetMessageBoxHook({});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "tick failed.");
}
