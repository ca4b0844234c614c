#include <cstdio>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

#include "LauncherSession.h"
#include "XSession.h"

// One X server and window manager serve all tests; each test starts the program anew.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    XSession& session = XSession::Instance();
    QString error;
    if (session.Start() && !RenderAllScreens(&error))
        session.Abandon(error);
    if (!session.Ready())
        std::fprintf(stderr, "e2e: %s\n", qPrintable(session.Error()));
    const int result = RUN_ALL_TESTS();
    session.Stop();
    QDir(RenderDir()).removeRecursively();
    return result;
}
