#pragma once

#include <memory>

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct ToolResult {
    bool finished = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// A private X server (Xvfb on a free display) with openbox managing its windows,
// shared by every test of the program. The X tools run against it from here.
class XSession {
public:
    static XSession& Instance();

    bool Start();
    void Stop();
    // Gives the session up with a reason every test then reports.
    bool Abandon(const QString& why) { return Fail(why); }
    bool Ready() const { return ready_; }
    const QString& Error() const { return error_; }
    const QString& Display() const { return display_; }
    QProcessEnvironment Environment() const;
    // Variables added to Environment() for what starts from now on (an empty
    // set takes them away again).
    void SetExtraEnvironment(const QProcessEnvironment& extra) { extra_ = extra; }

    // Runs an X tool on this display; a tool that outlives the timeout is killed.
    ToolResult Run(const QString& program, const QStringList& args, int timeoutMs = 10000) const;

private:
    bool Fail(const QString& why);
    bool WaitForWindowManager();

    std::unique_ptr<QProcess> server_;
    std::unique_ptr<QProcess> windowManager_;
    QString display_;
    QString error_;
    QProcessEnvironment extra_;
    bool ready_ = false;
};

// The program under test, started on the session's display.
class AppProcess {
public:
    AppProcess() = default;
    ~AppProcess();
    // extra: variables added to the session's environment.
    bool Start(const QStringList& args = {}, const QProcessEnvironment& extra = {});
    void Stop();
    QString Output() const;

private:
    std::unique_ptr<QProcess> process_;
};

// The X server, the window manager and the program end with the test program,
// also when it is killed.
void TieToTestProgram(QProcess& p);
// Asks a process to end, then ends it.
void EndProcess(std::unique_ptr<QProcess>& p);

// Where the program is (set by the build) and the pictures it renders off screen.
QString ProgramPath();
QString RenderDir();
