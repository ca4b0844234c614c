#pragma once

// Progress of long command-line work: a percentage on standard error when it
// is a terminal and the work has run for more than half a second. While one
// is alive, Ctrl+C (SIGINT) asks the work to stop at its next report, so that
// it ends cleanly (no half-written file, the store as it was) instead of
// being killed halfway.

#include <cstdint>

#include <QString>

#include "platform/base/SaveFile.h"

class TerminalProgress {
public:
    // The exit code of work that Ctrl+C cancelled, as for a shell's SIGINT.
    static constexpr int kCancelledExit = 130;
    static constexpr int64_t kShowAfterMs = 500;

    // what names the work in the progress line ("exporting x.csv").
    explicit TerminalProgress(QString what);
    ~TerminalProgress();
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    TProgressHook Hook();
    bool Report(int64_t done, int64_t total);
    // Whether Ctrl+C came since this was made.
    bool Cancelled() const;

private:
    QString what_;
    int64_t started_;
    int lastPercent_ = -1;
    bool terminal_;
    bool shown_ = false;
};
