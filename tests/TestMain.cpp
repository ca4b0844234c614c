#include <gtest/gtest.h>

#include <QApplication>

#include "platform/base/AppContext.h"

namespace {

// Every case starts from a fresh application context, so that cases run in any
// order in one process.
class ResetContextAfterEachCase : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { AppContext().Reset(); }
};

} // namespace

// Widgets need an application object; tests run headless on the offscreen platform.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    TAppContext context;
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetContextAfterEachCase);
    return RUN_ALL_TESTS();
}
