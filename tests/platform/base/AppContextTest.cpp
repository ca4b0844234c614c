// The application context: unit states made on first use and freed newest
// first, a reset that starts afresh, and errors raised while painting shown
// only once the paint has returned.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/base/AppContext.h"
#include "platform/framework/Application.h"
#include "platform/framework/ControlWidget.h"
#include "platform/framework/Form.h"

namespace {

std::vector<std::string>* g_log = nullptr;

struct FirstState {
    ~FirstState() { g_log->push_back("first"); }
    int value = 0;
};

struct SecondState {
    ~SecondState() { g_log->push_back("second"); }
};

// Asks for the first state while it goes, after the first one is gone.
struct LateState {
    ~LateState()
    {
        AppContext().State<FirstState>();
        g_log->push_back("late");
    }
};

class LoggingForm : public TForm {
public:
    LoggingForm() : TForm(nullptr) {}
    ~LoggingForm() override { g_log->push_back("form"); }
};

class AppContextTest : public ::testing::Test {
protected:
    void SetUp() override { g_log = &log; }
    void TearDown() override { g_log = nullptr; }
    std::vector<std::string> log;
};

} // namespace

TEST_F(AppContextTest, StatesAreMadeOnceAndFreedNewestFirstAfterTheForms)
{
    std::vector<std::string> expected;
    {
        TAppContext context;
        EXPECT_EQ(&AppContext(), &context);
        EXPECT_EQ(context.FindState<FirstState>(), nullptr);
        context.State<FirstState>().value = 7;
        EXPECT_EQ(context.State<FirstState>().value, 7);
        context.State<SecondState>();
        EXPECT_EQ(context.StateCount(), 2);
        TForm* form = nullptr;
        context.Application().Adopt(form = new LoggingForm);
        EXPECT_EQ(context.Application().MainForm(), form);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"form", "second", "first"}));
}

TEST_F(AppContextTest, ResetStartsAfreshAndStatesAskedForDuringTeardownGoToo)
{
    TAppContext outer;
    {
        TAppContext inner;
        EXPECT_EQ(&AppContext(), &inner);
        inner.State<LateState>();
        inner.State<FirstState>();
        TApplication* before = &inner.Application();
        inner.Application().SetMessageBoxHook([](const QString&, const QString&, unsigned) { return 1; });
        inner.Reset();
        EXPECT_EQ(log, (std::vector<std::string>{"first", "late", "first"}));
        EXPECT_EQ(inner.StateCount(), 0);
        EXPECT_EQ(inner.FindState<FirstState>(), nullptr);
        EXPECT_NE(&inner.Application(), before);
    }
    EXPECT_EQ(&AppContext(), &outer);
    EXPECT_EQ(outer.FindState<FirstState>(), nullptr);
}

namespace {

// Errors raised in a paint handler, shown through the message box hook.
class PaintErrorTest : public ::testing::Test {
protected:
    void SetUp() override { Hook(); }
    void Hook()
    {
        Application()->SetMessageBoxHook([this](const QString& text, const QString&, unsigned) {
            shown.push_back(text);
            if (raiseInsideBox) {
                raiseInsideBox = false;
                GuardedCall([] { throw std::runtime_error("second"); });
                pendingWhileShowing = Application()->PendingErrorCount();
            }
            return 1;
        });
    }
    void Flush()
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }
    std::vector<QString> shown;
    bool raiseInsideBox = false;
    int pendingWhileShowing = -1;
};

class ThrowingPainter : public TCustomControl {
public:
    ThrowingPainter() : TCustomControl(nullptr) { SetBounds(0, 0, 40, 30); }
    int paints = 0;

protected:
    void Paint(TCanvas&) override
    {
        ++paints;
        throw std::runtime_error("paint failed");
    }
};

} // namespace

TEST_F(PaintErrorTest, AnErrorInAPaintHandlerIsShownOnceThePaintHasReturned)
{
    ThrowingPainter control;
    QPaintEvent event(QRect(0, 0, 40, 30));
    // Two paints fail the same way before the loop runs: one box.
    for (int i = 0; i < 2; ++i) {
        control.Invalidate();
        QApplication::sendEvent(control.Widget(), &event);
    }
    EXPECT_EQ(control.paints, 2);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(Application()->PendingErrorCount(), 1);
    Flush();
    EXPECT_EQ(shown, (std::vector<QString>{"paint failed."}));
    EXPECT_EQ(Application()->PendingErrorCount(), 0);
}

TEST_F(PaintErrorTest, AnErrorOutsidePaintingIsShownAtOnceAndOneRaisedMeanwhileWaits)
{
    raiseInsideBox = true;
    GuardedCall([] { throw std::runtime_error("first"); });
    EXPECT_EQ(shown, (std::vector<QString>{"first."}));
    EXPECT_EQ(pendingWhileShowing, 1);
    Flush();
    EXPECT_EQ(shown, (std::vector<QString>{"first.", "second."}));
}

TEST_F(PaintErrorTest, PendingErrorsDieWithTheirApplicationObject)
{
    GuardedPaintCall([] { throw std::runtime_error("lost"); });
    EXPECT_EQ(Application()->PendingErrorCount(), 1);
    AppContext().Reset();
    Hook();
    Flush();
    EXPECT_TRUE(shown.empty());
}
