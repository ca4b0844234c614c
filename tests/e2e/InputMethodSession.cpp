#include "InputMethodSession.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include "XSession.h"

namespace {

constexpr int kStartTimeoutMs = 15000;

// Pinyin in the only group, and the input method on in every new window.
const char* const kProfile = "[Groups/0]\nName=Default\nDefault Layout=us\nDefaultIM=pinyin\n\n"
                             "[Groups/0/Items/0]\nName=keyboard-us\nLayout=\n\n"
                             "[Groups/0/Items/1]\nName=pinyin\nLayout=\n\n"
                             "[GroupOrder]\n0=Default\n";
// No pop-up naming the input method: it would take clicks meant for the program.
const char* const kConfig = "[Behavior]\nActiveByDefault=True\nShowInputMethodInformation=False\n"
                            "showInputMethodInformationWhenFocusIn=False\n";

bool WriteFile(const QString& path, const char* text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == static_cast<qint64>(strlen(text));
}

} // namespace

QString InputMethodSession::Log() const
{
    return QStringLiteral("last answer: %1; fcitx5 said: %2")
        .arg(lastReply_, log_ + (fcitx_ ? QString::fromLocal8Bit(fcitx_->readAll()) : QString()));
}

bool InputMethodSession::Fail(const QString& why)
{
    error_ = why;
    Stop();
    return false;
}

bool InputMethodSession::Start()
{
    for (const char* tool : {"fcitx5", "dbus-daemon", "dbus-send"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return Fail(QStringLiteral("the input-method test needs %1; scripts/setup.sh installs it "
                                       "(packages fcitx5 fcitx5-chinese-addons fcitx5-frontend-qt6 dbus)")
                            .arg(QString::fromLatin1(tool)));
    if (!home_.isValid())
        return Fail(QStringLiteral("no temporary folder for the input method's settings"));
    const QDir home(home_.path());
    home.mkpath(QStringLiteral("config/fcitx5"));
    home.mkpath(QStringLiteral("data"));
    home.mkpath(QStringLiteral("run"));
    QFile::setPermissions(home.filePath(QStringLiteral("run")), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                   QFileDevice::ExeOwner);
    if (!WriteFile(home.filePath(QStringLiteral("config/fcitx5/profile")), kProfile) ||
        !WriteFile(home.filePath(QStringLiteral("config/fcitx5/config")), kConfig))
        return Fail(QStringLiteral("cannot write the input method's settings under %1").arg(home_.path()));

    bus_ = std::make_unique<QProcess>();
    TieToTestProgram(*bus_);
    bus_->start(QStringLiteral("dbus-daemon"),
                {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    if (!bus_->waitForStarted(kStartTimeoutMs))
        return Fail(QStringLiteral("dbus-daemon did not start: %1").arg(bus_->errorString()));
    QByteArray line;
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!line.contains('\n') && !deadline.hasExpired() && bus_->state() != QProcess::NotRunning) {
        bus_->waitForReadyRead(100);
        line += bus_->readAllStandardOutput();
    }
    busAddress_ = QString::fromLocal8Bit(line).trimmed();
    if (busAddress_.isEmpty())
        return Fail(QStringLiteral("dbus-daemon named no address: %1").arg(QString::fromLocal8Bit(bus_->readAllStandardError())));

    fcitx_ = std::make_unique<QProcess>();
    TieToTestProgram(*fcitx_);
    fcitx_->setProcessEnvironment(BusEnvironment());
    fcitx_->setProcessChannelMode(QProcess::MergedChannels);
    fcitx_->start(QStringLiteral("fcitx5"), {QStringLiteral("--disable=wayland,waylandim,notificationitem,kimpanel")});
    if (!fcitx_->waitForStarted(kStartTimeoutMs))
        return Fail(QStringLiteral("fcitx5 did not start: %1").arg(fcitx_->errorString()));
    // Ready once pinyin is loaded: a window that meets the input method
    // before then keeps the plain keyboard.
    const QDeadlineTimer ready(kStartTimeoutMs);
    while (!ready.hasExpired()) {
        fcitx_->waitForReadyRead(100);
        log_ += QString::fromLocal8Bit(fcitx_->readAll());
        if (log_.contains(QStringLiteral("Loaded addon pinyin")))
            return true;
        if (fcitx_->state() == QProcess::NotRunning)
            return Fail(QStringLiteral("fcitx5 exited at start: %1").arg(log_));
    }
    return Fail(QStringLiteral("fcitx5 did not load pinyin within %1 ms: %2").arg(kStartTimeoutMs).arg(log_));
}

void InputMethodSession::Stop()
{
    EndProcess(fcitx_);
    EndProcess(bus_);
}

QProcessEnvironment InputMethodSession::BusEnvironment() const
{
    QProcessEnvironment env = XSession::Instance().Environment();
    const QDir home(home_.path());
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress_);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("run")));
    return env;
}

QProcessEnvironment InputMethodSession::AppEnvironment() const
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress_);
    env.insert(QStringLiteral("QT_IM_MODULE"), QStringLiteral("fcitx"));
    return env;
}

bool InputMethodSession::WaitUntilActive(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QProcess ask;
        ask.setProcessEnvironment(BusEnvironment());
        ask.start(QStringLiteral("dbus-send"), {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                                                QStringLiteral("--dest=org.fcitx.Fcitx5"), QStringLiteral("/controller"),
                                                QStringLiteral("org.fcitx.Fcitx.Controller1.CurrentInputMethod")});
        const QByteArray reply = ask.waitForFinished(3000) ? ask.readAllStandardOutput() : QByteArray();
        if (reply.contains("\"pinyin\""))
            return true;
        lastReply_ = QString::fromLocal8Bit(reply + ask.readAllStandardError());
        QThread::msleep(100);
    }
    return false;
}
