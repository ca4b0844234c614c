#include "LauncherSession.h"

#include <map>
#include <optional>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

QProcessEnvironment OffscreenEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

std::optional<QRect> FindControl(const QJsonObject& node, QPoint origin, const QString& key)
{
    const QPoint at = origin + QPoint(node.value(QLatin1String("left")).toInt(), node.value(QLatin1String("top")).toInt());
    if (node.value(QLatin1String("name")).toString() == key || node.value(QLatin1String("caption")).toString() == key)
        return QRect(at, QSize(node.value(QLatin1String("width")).toInt(), node.value(QLatin1String("height")).toInt()));
    for (const QJsonValue child : node.value(QLatin1String("children")).toArray())
        if (auto found = FindControl(child.toObject(), at, key))
            return found;
    return std::nullopt;
}

QJsonObject DumpOf(const QString& className)
{
    static std::map<QString, QJsonObject> dumps;
    auto it = dumps.find(className);
    if (it != dumps.end())
        return it->second;
    QProcess p;
    p.setProcessEnvironment(OffscreenEnvironment());
    p.start(ProgramPath(), {QStringLiteral("--dump"), className});
    p.waitForFinished(30000);
    QJsonObject dump = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    dumps.emplace(className, dump);
    return dump;
}

} // namespace

bool RenderAllScreens(QString* error)
{
    QProcess p;
    p.setProcessEnvironment(OffscreenEnvironment());
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(ProgramPath(), {QStringLiteral("--render"), QStringLiteral("all"), QStringLiteral("--out"), RenderDir()});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        *error = QStringLiteral("%1 --render all failed: %2").arg(ProgramPath(), QString::fromLocal8Bit(p.readAll()));
        return false;
    }
    return true;
}

QImage RenderedScreen(const QString& className)
{
    return QImage(QDir(RenderDir()).filePath(className + QStringLiteral(".png"))).convertToFormat(QImage::Format_RGB32);
}

QRect ControlRect(const QString& className, const QString& nameOrCaption)
{
    // The form's own left and top are its place on the screen, not in its client area.
    for (const QJsonValue child : DumpOf(className).value(QLatin1String("children")).toArray())
        if (auto found = FindControl(child.toObject(), QPoint(), nameOrCaption))
            return *found;
    ADD_FAILURE() << className.toStdString() << " has no control " << nameOrCaption.toStdString();
    return QRect();
}

void LauncherSession::SetUp()
{
    XSession& session = XSession::Instance();
    ASSERT_TRUE(session.Ready()) << session.Error().toStdString();
    // The designed screens, without a store.
    ASSERT_TRUE(app.Start({QStringLiteral("--sample")})) << "cannot start " << ProgramPath().toStdString();
    ASSERT_TRUE(desktop::WaitForWindow(QStringLiteral("MainForm"), &launcher)) << app.Output().toStdString();
    launcherClient = desktop::ClientRect(launcher);
}

void LauncherSession::TearDown()
{
    app.Stop();
}

void LauncherSession::ClickControl(const QString& windowId, const QString& className, const QString& nameOrCaption)
{
    const QRect control = ControlRect(className, nameOrCaption);
    desktop::Click(CentreOf(desktop::ClientRect(windowId), control));
}
