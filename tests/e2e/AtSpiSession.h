#pragma once

// A private D-Bus session with the AT-SPI registry on it, for tests that read
// the program as a screen reader does. The program started while it runs
// joins it (Qt's bridge is switched on), and tests ask it questions through
// tests/e2e/atspi_probe.py, which answers in JSON.

#include <memory>

#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

class AtSpiSession {
public:
    ~AtSpiSession() { Stop(); }
    // Starts the bus and the registry and adds them to the X session's
    // environment; false and Error() when something is missing or fails.
    bool Start();
    void Stop();
    const QString& Error() const { return error_; }

    // Runs the probe with args; its JSON answer, or {"error": …}.
    QJsonObject Probe(const QStringList& args, int timeoutMs = 60000) const;

private:
    bool Fail(const QString& why);

    std::unique_ptr<QProcess> bus_;
    std::unique_ptr<QProcess> launcher_;
    QString address_;
    QString error_;
};
