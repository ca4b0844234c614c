// Chinese typed through the fcitx5 pinyin input method reaches the grids and the
// chart whole. Each case types once through the input method and once, for the
// expected picture, the same characters without it.

#include <functional>

#include "InputMethodSession.h"
#include "LauncherSession.h"

using namespace desktop;

namespace {

struct Scenario;

class InputMethodE2e : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ime_ = new InputMethodSession;
        if (!ime_->Start())
            error_ = ime_->Error();
    }
    static void TearDownTestSuite()
    {
        delete ime_;
        ime_ = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(XSession::Instance().Ready()) << XSession::Instance().Error().toStdString();
        ASSERT_TRUE(error_.isEmpty()) << error_.toStdString();
    }

    // Types `pinyin` and Space through the input method, or `chinese` without it,
    // and waits for the window to show it.
    static void TypeChinese(bool throughInputMethod, const QString& screen)
    {
        const QImage before = CaptureWindow(screen);
        QImage after;
        if (throughInputMethod) {
            if (!ime_->WaitUntilActive(kWaitMs)) {
                SaveForInspection(CaptureWindow(screen), QStringLiteral("pinyin-inactive"));
                FAIL() << "pinyin never became active for the screen; " << ime_->Log().toStdString();
            }
            Type(QStringLiteral("ceshi"));
            ASSERT_TRUE(WaitForChange(screen, before, &after));
            Key(QStringLiteral("space"));
            ASSERT_TRUE(WaitForChange(screen, before, &after));
        } else {
            // Slowly: the tool borrows a spare key for each character, and the
            // program must have read the new key map before the next one.
            Type(QStringLiteral("测试"), 400);
            ASSERT_TRUE(WaitForChange(screen, before, &after));
        }
    }

    void ExpectSameOutcome(const Scenario& s);

    static InputMethodSession* ime_;
    static QString error_;
};

InputMethodSession* InputMethodE2e::ime_ = nullptr;
QString InputMethodE2e::error_;

// The picture once the window has changed from `before` and settled.
QImage Settled(const QString& screen, const QImage& before)
{
    QImage after;
    EXPECT_TRUE(WaitForChange(screen, before, &after));
    return after;
}

struct Scenario {
    QRect launcherButton;
    const char* caption;
    const char* className;
    // Brings the screen to where Chinese is typed, and ends the typing; each
    // returns the picture it left.
    std::function<void(const QString& screen, const QRect& client)> before;
    std::function<QImage(const QString& screen)> after;
};

} // namespace

// Runs the scenario through pinyin and typed directly; both must leave the
// same picture, and a changed one.
void InputMethodE2e::ExpectSameOutcome(const Scenario& s)
{
    const QString caption = QString::fromUtf8(s.caption);
    QImage pictures[2];
    for (bool im : {true, false}) {
        SCOPED_TRACE(im ? "through pinyin" : "typed directly");
        AppProcess app;
        ASSERT_TRUE(app.Start({QStringLiteral("--sample")}, im ? ime_->AppEnvironment() : QProcessEnvironment()));
        QString launcher, screen;
        ASSERT_TRUE(WaitForWindow(QStringLiteral("MainForm"), &launcher)) << app.Output().toStdString();
        ASSERT_TRUE(WaitForPicture(launcher, RenderedScreen(QStringLiteral("TMainForm")), QStringLiteral("launcher")));
        MovePointerAway(); // the new window must see the pointer come in
        Click(ClientRect(launcher).topLeft() + s.launcherButton.center());
        ASSERT_TRUE(WaitForWindow(caption, &screen)) << app.Output().toStdString();
        ASSERT_TRUE(WaitForFocus(screen));
        const QImage opened = RenderedScreen(QString::fromLatin1(s.className));
        ASSERT_TRUE(WaitForPicture(screen, opened, QString::fromLatin1(s.className)));
        s.before(screen, ClientRect(screen));
        ASSERT_NO_FATAL_FAILURE(TypeChinese(im, screen));
        pictures[im] = s.after(screen);
        ASSERT_FALSE(DifferingPixels(pictures[im], opened).empty());
        app.Stop();
        ASSERT_TRUE(WaitForNoWindow(caption));
    }
    const std::vector<QPoint> differ = DifferingPixels(pictures[0], pictures[1]);
    if (!differ.empty()) {
        SaveForInspection(pictures[0], QString::fromLatin1(s.className) + QStringLiteral("-typed"));
        SaveForInspection(pictures[1], QString::fromLatin1(s.className) + QStringLiteral("-pinyin"));
    }
    EXPECT_TRUE(differ.empty()) << differ.size() << " pixels differ around " << BoundsOf(differ).x() << ","
                                << BoundsOf(differ).y();
}

TEST_F(InputMethodE2e, PinyinOnAPostCellWithNoEditorOpenLeavesTheWholeWordInTheCell)
{
    ExpectSameOutcome({QRect(112, 16, 105, 25), "岗位管理", "TPostForm", [](const QString&, const QRect&) {},
                       [](const QString& screen) {
                           const QImage typed = CaptureWindow(screen);
                           Key(QStringLiteral("Down")); // moving on writes the cell
                           return Settled(screen, typed);
                       }});
}

TEST_F(InputMethodE2e, PinyinRenamesAChartNodeBetweenTwoF2s)
{
    ExpectSameOutcome({QRect(113, 113, 105, 25), "组织机构管理", "TOrgForm",
                       [](const QString& screen, const QRect& client) {
                           // The company, selected from the start: its box in the chart at (1, 101).
                           Click(client.topLeft() + QPoint(1 + 490, 101 + 37));
                           QImage before = CaptureWindow(screen);
                           Key(QStringLiteral("F2"));
                           before = Settled(screen, before);
                           Key(QStringLiteral("ctrl+a"));
                           Settled(screen, before);
                       },
                       [](const QString& screen) {
                           const QImage typed = CaptureWindow(screen);
                           Key(QStringLiteral("F2"));
                           return Settled(screen, typed);
                       }});
}
