#include "AtSpiSession.h"

#include <sys/prctl.h>

#include <csignal>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QThread>

#include "XSession.h"

namespace {

constexpr int kStartTimeoutMs = 15000;
const char* const kLauncher = "/usr/libexec/at-spi-bus-launcher";
const char* const kPython = "/usr/bin/python3";

QString ProbePath() { return qEnvironmentVariable("ORGRIGHTS_ATSPI_PROBE"); }

} // namespace

bool AtSpiSession::Fail(const QString& why)
{
    error_ = why;
    Stop();
    return false;
}

bool AtSpiSession::Start()
{
    if (!QFileInfo::exists(QString::fromLatin1(kLauncher)))
        return Fail(QStringLiteral("%1 is missing (Debian at-spi2-core)").arg(QLatin1String(kLauncher)));
    if (ProbePath().isEmpty() || !QFileInfo::exists(ProbePath()))
        return Fail(QStringLiteral("ORGRIGHTS_ATSPI_PROBE does not name atspi_probe.py (%1)").arg(ProbePath()));
    XSession& x = XSession::Instance();
    if (!x.Ready())
        return Fail(x.Error());

    // A session bus of our own: it prints its address and stays in front.
    bus_ = std::make_unique<QProcess>();
    bus_->setProcessEnvironment(x.Environment());
    TieToTestProgram(*bus_);
    bus_->start(QStringLiteral("dbus-daemon"),
                {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    if (!bus_->waitForStarted(kStartTimeoutMs))
        return Fail(QStringLiteral("dbus-daemon did not start (Debian dbus): %1").arg(bus_->errorString()));
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!bus_->canReadLine() && !deadline.hasExpired())
        bus_->waitForReadyRead(200);
    address_ = QString::fromLocal8Bit(bus_->readLine()).trimmed();
    if (address_.isEmpty())
        return Fail(QStringLiteral("dbus-daemon gave no address"));

    QProcessEnvironment extra;
    extra.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
    // Qt's bridge joins the accessibility bus without waiting to be asked.
    extra.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    x.SetExtraEnvironment(extra);

    // The accessibility bus and its registry.
    launcher_ = std::make_unique<QProcess>();
    launcher_->setProcessEnvironment(x.Environment());
    TieToTestProgram(*launcher_);
    launcher_->start(QString::fromLatin1(kLauncher), {QStringLiteral("--launch-immediately")});
    if (!launcher_->waitForStarted(kStartTimeoutMs))
        return Fail(QStringLiteral("at-spi-bus-launcher did not start: %1").arg(launcher_->errorString()));
    while (!deadline.hasExpired()) {
        const ToolResult r = x.Run(QStringLiteral("dbus-send"),
                                   {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                                    QStringLiteral("--dest=org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                    QStringLiteral("org.a11y.Bus.GetAddress")});
        if (r.finished && r.exitCode == 0 && r.out.contains("unix:"))
            return true;
        QThread::msleep(100);
    }
    return Fail(QStringLiteral("the accessibility bus did not come up"));
}

void AtSpiSession::Stop()
{
    XSession::Instance().SetExtraEnvironment({});
    EndProcess(launcher_);
    EndProcess(bus_);
}

QJsonObject AtSpiSession::Probe(const QStringList& args, int timeoutMs) const
{
    const ToolResult r = XSession::Instance().Run(QString::fromLatin1(kPython), QStringList{ProbePath()} + args, timeoutMs);
    const QJsonDocument doc = QJsonDocument::fromJson(r.out);
    if (!r.finished || !doc.isObject())
        return QJsonObject{{QStringLiteral("error"),
                            QStringLiteral("the probe gave no answer (%1): %2")
                                .arg(r.finished ? QStringLiteral("exit %1").arg(r.exitCode) : QStringLiteral("timed out"),
                                     QString::fromLocal8Bit(r.out + r.err))}};
    return doc.object();
}
