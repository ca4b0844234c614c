#pragma once

#include <memory>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

// The fcitx5 input method with pinyin switched on, on the X session's display,
// talking over a D-Bus session bus of its own. A program started with
// AppEnvironment() types Chinese through it.
class InputMethodSession {
public:
    ~InputMethodSession() { Stop(); }
    bool Start();
    void Stop();
    const QString& Error() const { return error_; }
    QProcessEnvironment AppEnvironment() const;
    // Whether the input method is composing for a focused window now: pinyin
    // active there, so keys typed next go through it.
    bool WaitUntilActive(int timeoutMs);
    // What the input method last answered and printed, for a failure's report.
    QString Log() const;

private:
    bool Fail(const QString& why);
    QProcessEnvironment BusEnvironment() const;

    QTemporaryDir home_;
    std::unique_ptr<QProcess> bus_;
    std::unique_ptr<QProcess> fcitx_;
    QString busAddress_;
    QString error_;
    QString lastReply_;
    QString log_;
};
