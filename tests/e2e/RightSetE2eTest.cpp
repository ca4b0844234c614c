#include <array>

#include "LauncherSession.h"

using namespace desktop;

namespace {

const QString kRightsClass = QStringLiteral("TRightSetForm");

// Points inside the five tabs along the top of the page control (client
// coordinates); the tabs are as wide as their Tahoma captions.
constexpr std::array<QPoint, 5> kTabs{{{266, 38}, {375, 38}, {495, 38}, {602, 38}, {710, 38}}};
// The tab strip, left out where pages are compared: it shows which tab has the focus.
const QRect kTabStrip(226, 26, 572, 26);

using RightSetE2e = LauncherSession;

TEST_F(RightSetE2e, TabsSwitchPagesByClickAndCtrlTab)
{
    Click(CentreOf(launcherClient, QRect(113, 169, 105, 25)));
    QString screen;
    ASSERT_TRUE(WaitForWindow(QStringLiteral("权限设置"), &screen));
    const QRect client = ClientRect(screen);
    std::array<QImage, 5> pages;
    pages[0] = RenderedScreen(kRightsClass);
    ASSERT_TRUE(WaitForPicture(screen, pages[0], kRightsClass));

    for (size_t i = 1; i < kTabs.size(); ++i) {
        SCOPED_TRACE(i);
        Click(OnScreen(client, kTabs[i]));
        ASSERT_TRUE(WaitForChange(screen, pages[i - 1], &pages[i]));
        for (size_t j = 0; j < i; ++j)
            EXPECT_FALSE(DifferingPixels(pages[i], pages[j], {kTabStrip}).empty()) << "pages " << i << " and " << j;
    }
    Click(OnScreen(client, kTabs[0]));
    ASSERT_TRUE(WaitForPicture(screen, pages[0], QStringLiteral("rights-page-0"), {kTabStrip}));

    // Ctrl+Tab turns the pages in order and wraps round to the first.
    for (size_t i = 1; i <= kTabs.size(); ++i) {
        SCOPED_TRACE(i);
        Key(QStringLiteral("ctrl+Tab"));
        EXPECT_TRUE(WaitForPicture(screen, pages[i % pages.size()], QStringLiteral("rights-page-%1").arg(i % pages.size()),
                                   {kTabStrip}));
    }
}

} // namespace
