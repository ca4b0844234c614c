#include "XSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

namespace {

constexpr int kStartTimeoutMs = 15000;
const char* const kScreenSize = "1280x1024x24";

} // namespace

// The X server, the window manager and the program end with the test program,
// also when it is killed.
void TieToTestProgram(QProcess& p)
{
    p.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

// Asks a process to end, then ends it.
void EndProcess(std::unique_ptr<QProcess>& p)
{
    if (!p)
        return;
    if (p->state() != QProcess::NotRunning) {
        p->terminate();
        if (!p->waitForFinished(3000)) {
            p->kill();
            p->waitForFinished(3000);
        }
    }
    p.reset();
}

XSession& XSession::Instance()
{
    static XSession session;
    return session;
}

bool XSession::Fail(const QString& why)
{
    error_ = why;
    Stop();
    return false;
}

bool XSession::Start()
{
    if (ready_)
        return true;
    QStringList missing;
    for (const char* tool : {"Xvfb", "openbox", "xdotool", "xprop"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            missing << QString::fromLatin1(tool);
    if (!missing.isEmpty())
        return Fail(QStringLiteral("the end-to-end test needs %1 on PATH; scripts/setup.sh installs them "
                                   "(packages xvfb xdotool openbox x11-utils)")
                        .arg(missing.join(QStringLiteral(", "))));
    if (ProgramPath().isEmpty() || !QFileInfo::exists(ProgramPath()))
        return Fail(QStringLiteral("ORGRIGHTS_PROGRAM does not name the built program (%1)").arg(ProgramPath()));

    // Xvfb picks a free display itself and writes its number to standard output.
    server_ = std::make_unique<QProcess>();
    server_->setProcessChannelMode(QProcess::SeparateChannels);
    TieToTestProgram(*server_);
    server_->start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                            QStringLiteral("0"), QString::fromLatin1(kScreenSize),
                                            QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
    if (!server_->waitForStarted(kStartTimeoutMs))
        return Fail(QStringLiteral("Xvfb did not start: %1").arg(server_->errorString()));
    QByteArray number;
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!number.contains('\n') && !deadline.hasExpired()) {
        if (server_->state() == QProcess::NotRunning)
            return Fail(QStringLiteral("Xvfb exited at start: %1").arg(QString::fromLocal8Bit(server_->readAllStandardError())));
        server_->waitForReadyRead(100);
        number += server_->readAllStandardOutput();
    }
    bool ok = false;
    const int n = number.trimmed().toInt(&ok);
    if (!ok)
        return Fail(QStringLiteral("Xvfb named no display within %1 ms").arg(kStartTimeoutMs));
    display_ = QStringLiteral(":%1").arg(n);

    windowManager_ = std::make_unique<QProcess>();
    windowManager_->setProcessEnvironment(Environment());
    TieToTestProgram(*windowManager_);
    windowManager_->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    if (!windowManager_->waitForStarted(kStartTimeoutMs))
        return Fail(QStringLiteral("openbox did not start: %1").arg(windowManager_->errorString()));
    if (!WaitForWindowManager())
        return false;
    ready_ = true;
    return true;
}

bool XSession::WaitForWindowManager()
{
    // A managing window manager announces itself on the root window.
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!deadline.hasExpired()) {
        const ToolResult r = Run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
        if (r.finished && r.exitCode == 0 && r.out.contains("window id"))
            return true;
        if (windowManager_->state() == QProcess::NotRunning)
            return Fail(QStringLiteral("openbox exited at start: %1")
                            .arg(QString::fromLocal8Bit(windowManager_->readAllStandardError())));
        QThread::msleep(50);
    }
    return Fail(QStringLiteral("openbox did not take over display %1 within %2 ms").arg(display_).arg(kStartTimeoutMs));
}

void XSession::Stop()
{
    ready_ = false;
    EndProcess(windowManager_);
    EndProcess(server_);
}

QProcessEnvironment XSession::Environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("XAUTHORITY"));
    env.insert(extra_);
    return env;
}

ToolResult XSession::Run(const QString& program, const QStringList& args, int timeoutMs) const
{
    QProcess p;
    p.setProcessEnvironment(Environment());
    p.start(program, args);
    ToolResult r;
    if (!p.waitForStarted(timeoutMs)) {
        r.err = p.errorString().toLocal8Bit();
        return r;
    }
    r.finished = p.waitForFinished(timeoutMs);
    if (!r.finished) {
        p.kill();
        p.waitForFinished(1000);
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

AppProcess::~AppProcess()
{
    Stop();
}

bool AppProcess::Start(const QStringList& args, const QProcessEnvironment& extra)
{
    process_ = std::make_unique<QProcess>();
    QProcessEnvironment env = XSession::Instance().Environment();
    env.insert(extra);
    process_->setProcessEnvironment(env);
    process_->setProcessChannelMode(QProcess::MergedChannels);
    TieToTestProgram(*process_);
    process_->start(ProgramPath(), args);
    return process_->waitForStarted(kStartTimeoutMs);
}

void AppProcess::Stop()
{
    EndProcess(process_);
}

QString AppProcess::Output() const
{
    return process_ ? QString::fromLocal8Bit(process_->readAll()) : QString();
}

QString ProgramPath()
{
    return qEnvironmentVariable("ORGRIGHTS_PROGRAM");
}

QString RenderDir()
{
    static const QString dir = [] {
        const QString path = QDir::temp().filePath(QStringLiteral("orgrights-e2e-%1").arg(QCoreApplication::applicationPid()));
        QDir().mkpath(path);
        return path;
    }();
    return dir;
}
