#include "app/TerminalProgress.h"

#include <csignal>
#include <cstdio>

#include <unistd.h>

#include <QElapsedTimer>

namespace {

volatile std::sig_atomic_t terminalInterrupted = 0;
struct sigaction previousInterruptAction;

void OnTerminalInterrupt(int)
{
    terminalInterrupted = 1;
}

int64_t ProgressClockMs()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

} // namespace

TerminalProgress::TerminalProgress(QString what)
    : what_(std::move(what)), started_(ProgressClockMs()), terminal_(isatty(STDERR_FILENO) == 1)
{
    terminalInterrupted = 0;
    struct sigaction action = {};
    action.sa_handler = OnTerminalInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousInterruptAction);
}

TerminalProgress::~TerminalProgress()
{
    sigaction(SIGINT, &previousInterruptAction, nullptr);
    if (shown_)
        std::fputs("\n", stderr);
}

TProgressHook TerminalProgress::Hook()
{
    return [this](int64_t done, int64_t total) { return Report(done, total); };
}

bool TerminalProgress::Cancelled() const
{
    return terminalInterrupted != 0;
}

bool TerminalProgress::Report(int64_t done, int64_t total)
{
    if (Cancelled())
        return false;
    if (!terminal_ || total <= 0 || ProgressClockMs() - started_ < kShowAfterMs)
        return true;
    const int percent = int(done * 100 / total);
    if (percent != lastPercent_) {
        lastPercent_ = percent;
        shown_ = true;
        std::fprintf(stderr, "\rorgrights: %s %3d%% (Ctrl+C cancels)", qPrintable(what_), percent);
        std::fflush(stderr);
    }
    return true;
}
