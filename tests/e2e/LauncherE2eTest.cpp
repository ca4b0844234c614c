#include <array>

#include "LauncherSession.h"

using namespace desktop;

namespace {

struct LauncherButton {
    const char* caption;
    QRect rect; // client coordinates
};

// Listed in tab order, which is not the order on the screen.
const std::array<LauncherButton, 5> kTabOrder{{
    {"岗位字典", QRect(112, 16, 105, 25)},
    {"组织机构", QRect(113, 113, 105, 25)},
    {"用户管理", QRect(113, 64, 105, 25)},
    {"权限设置", QRect(113, 169, 105, 25)},
    {"权限查询", QRect(112, 224, 105, 25)},
}};

struct WorkScreen {
    const char* className;
    const char* caption;
    QRect button;
    const char* openKey;
};

const std::array<WorkScreen, 4> kWorkScreens{{
    {"TPostForm", "岗位管理", QRect(112, 16, 105, 25), "space"},
    {"TUserForm", "用户管理", QRect(113, 64, 105, 25), "Return"},
    {"TOrgForm", "组织机构管理", QRect(113, 113, 105, 25), "space"},
    {"TRightSetForm", "权限设置", QRect(113, 169, 105, 25), "Return"},
}};

constexpr QSize kScreenSize(1280, 1024);

using LauncherE2e = LauncherSession;

TEST_F(LauncherE2e, AppearsCentredWithItsFiveButtons)
{
    EXPECT_EQ(launcherClient.size(), QSize(398, 314));
    // Centred on the screen; the window manager's title bar may shift it down.
    EXPECT_NEAR(launcherClient.center().x(), kScreenSize.width() / 2, 1);
    EXPECT_NEAR(launcherClient.center().y(), kScreenSize.height() / 2, 20);
    EXPECT_TRUE(WaitForPicture(launcher, RenderedScreen(QStringLiteral("TMainForm")), QStringLiteral("launcher")));
}

TEST_F(LauncherE2e, TabMovesTheFocusRectangleInTabOrder)
{
    ASSERT_TRUE(WaitForPicture(launcher, RenderedScreen(QStringLiteral("TMainForm")), QStringLiteral("launcher")));
    struct Step {
        const char* key;
        size_t from, to;
    };
    const std::array<Step, 7> steps{{{"Tab", 0, 1}, {"Tab", 1, 2}, {"Tab", 2, 3}, {"Tab", 3, 4}, {"Tab", 4, 0},
                                     {"shift+Tab", 0, 4}, {"shift+Tab", 4, 3}}};
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.key) + " from " + kTabOrder[step.from].caption);
        const QImage before = CaptureWindow(launcher);
        Key(QString::fromLatin1(step.key));
        QImage after;
        ASSERT_TRUE(WaitForChange(launcher, before, &after));
        // Only the button losing the focus and the one gaining it are redrawn differently.
        const QRect from = kTabOrder[step.from].rect, to = kTabOrder[step.to].rect;
        bool fromChanged = false, toChanged = false;
        for (const QPoint& p : DifferingPixels(before, after)) {
            ASSERT_TRUE(from.contains(p) || to.contains(p)) << "pixel " << p.x() << ", " << p.y() << " changed";
            fromChanged |= from.contains(p);
            toChanged |= to.contains(p);
        }
        EXPECT_TRUE(fromChanged && toChanged);
    }
}

// Each button opens its screen modally, by click and by keyboard; "退出" and the
// close box each close it and give the launcher back.
TEST_F(LauncherE2e, EachButtonOpensItsScreenModally)
{
    for (const WorkScreen& s : kWorkScreens) {
        const QString caption = QString::fromUtf8(s.caption), className = QString::fromLatin1(s.className);
        SCOPED_TRACE(s.className);
        QString screen;

        Click(CentreOf(launcherClient, s.button));
        ASSERT_TRUE(WaitForWindow(caption, &screen));
        QRect client = ClientRect(screen);
        EXPECT_EQ(client.size(), QSize(798, 576));
        EXPECT_NEAR(client.center().x(), kScreenSize.width() / 2, 1);
        EXPECT_TRUE(WaitForPicture(screen, RenderedScreen(className), className));

        // Moved off the launcher, the screen uncovers the launcher's buttons, which
        // take no clicks while the screen is open.
        Drag(TitleBarPoint(client), TitleBarPoint(client) + QPoint(0, 420));
        client = ClientRect(screen);
        ASSERT_GT(client.top() - 20, launcherClient.top() + kTabOrder[4].rect.bottom()) << "screen not moved";
        const QRect other = &s == &kWorkScreens[0] ? kWorkScreens[1].button : kWorkScreens[0].button;
        Click(CentreOf(launcherClient, other));
        Click(CentreOf(launcherClient, s.button));
        ClickControl(screen, className, QStringLiteral("退出"));
        // Had the launcher taken a click, a second screen would hold this one open.
        ASSERT_TRUE(WaitForNoWindow(caption));
        for (const WorkScreen& w : kWorkScreens)
            EXPECT_TRUE(WindowsNamed(QString::fromUtf8(w.caption)).empty()) << w.caption << " opened";
        ASSERT_TRUE(WaitForFocus(launcher));

        // The clicked button keeps the focus: the keyboard opens the screen again.
        Key(QString::fromLatin1(s.openKey));
        ASSERT_TRUE(WaitForWindow(caption, &screen));
        EXPECT_TRUE(WaitForPicture(screen, RenderedScreen(className), className + QStringLiteral("-again")));
        Click(CloseBoxPoint(ClientRect(screen)));
        ASSERT_TRUE(WaitForNoWindow(caption));
        ASSERT_TRUE(WaitForFocus(launcher));
    }
}

} // namespace
