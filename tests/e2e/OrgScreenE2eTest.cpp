#include <array>

#include "LauncherSession.h"

using namespace desktop;

namespace {

const QString kOrgCaption = QStringLiteral("组织机构管理");
const QString kDepartCaption = QStringLiteral("部门属性");
const QString kRoleCaption = QStringLiteral("角色属性(部门岗位)");
const QString kOrgClass = QStringLiteral("TOrgForm");
const QString kDepartClass = QStringLiteral("TDepartPropForm");

class OrgScreenE2e : public LauncherSession {
protected:
    void SetUp() override
    {
        LauncherSession::SetUp();
        if (HasFatalFailure())
            return;
        Click(CentreOf(launcherClient, QRect(113, 113, 105, 25)));
        ASSERT_TRUE(WaitForWindow(kOrgCaption, &org));
        orgClient = ClientRect(org);
        ASSERT_TRUE(WaitForPicture(org, RenderedScreen(kOrgClass), kOrgClass));
    }

    // The department dialog's check box "挂接岗位", clicked on its box or on its
    // caption; two clicks in a row on one spot would make a double click.
    void ClickAttachPosts(const QString& dialog, bool onCaption = false)
    {
        const QRect box = ControlRect(kDepartClass, QStringLiteral("SkinCheckBox1"));
        Click(OnScreen(ClientRect(dialog), QPoint(box.left() + (onCaption ? 40 : 7), box.center().y())));
    }

    QString org;
    QRect orgClient;
};

struct DialogCommand {
    const char* command;
    const QString& caption;
    QSize client;
    const char* renderedAs; // the picture of the dialog as it opens, where one is made
    const char* closeKey;
};

// Every toolbar command of the screen that opens a dialog, closed by Enter or Escape.
TEST_F(OrgScreenE2e, DialogCommandsOpenTheirDialogsAtTheirHeight)
{
    const std::array<DialogCommand, 6> commands{{
        {"新增机构", kDepartCaption, QSize(563, 130), "TDepartPropForm", "Return"},
        {"新增部门", kDepartCaption, QSize(563, 130), "TDepartPropForm", "Escape"},
        {"新增子部门", kDepartCaption, QSize(563, 130), "TDepartPropForm", "Return"},
        {"关联岗位", kDepartCaption, QSize(563, 374), nullptr, "Escape"},
        {"关联人员", kRoleCaption, QSize(440, 334), "TRolePropForm", "Return"},
        // The first chart node, a company, is selected when the screen opens.
        {"属性", kDepartCaption, QSize(563, 130), "TDepartPropForm", "Escape"},
    }};
    for (const DialogCommand& c : commands) {
        SCOPED_TRACE(c.command);
        ClickControl(org, kOrgClass, QString::fromUtf8(c.command));
        QString dialog;
        ASSERT_TRUE(WaitForWindow(c.caption, &dialog));
        EXPECT_TRUE(WaitForClientSize(dialog, c.client));
        if (c.renderedAs) {
            EXPECT_TRUE(WaitForPicture(dialog, RenderedScreen(QString::fromLatin1(c.renderedAs)),
                                       QString::fromLatin1(c.renderedAs)));
        }
        ASSERT_TRUE(WaitForFocus(dialog));
        Key(QString::fromLatin1(c.closeKey));
        ASSERT_TRUE(WaitForNoWindow(c.caption));
        ASSERT_TRUE(WaitForFocus(org));
    }
    MovePointerAway();
    EXPECT_TRUE(WaitForPicture(org, RenderedScreen(kOrgClass), kOrgClass + QStringLiteral("-after")));
}

TEST_F(OrgScreenE2e, AttachPostsGrowsAndShrinksTheDepartmentDialog)
{
    ClickControl(org, kOrgClass, QStringLiteral("新增部门"));
    QString dialog;
    ASSERT_TRUE(WaitForWindow(kDepartCaption, &dialog));
    ASSERT_TRUE(WaitForClientSize(dialog, QSize(563, 130)));
    ClickAttachPosts(dialog);
    EXPECT_TRUE(WaitForClientSize(dialog, QSize(563, 374)));
    ClickAttachPosts(dialog, true);
    EXPECT_TRUE(WaitForClientSize(dialog, QSize(563, 130)));
    Key(QStringLiteral("Escape"));
    ASSERT_TRUE(WaitForNoWindow(kDepartCaption));
}

// With the dialog open, the screen beneath takes no clicks, and the window
// manager keeps the dialog above it even when the screen's title bar is used.
TEST_F(OrgScreenE2e, DialogStaysAboveTheScreenThatIgnoresClicks)
{
    ClickControl(org, kOrgClass, QStringLiteral("新增部门"));
    QString dialog;
    ASSERT_TRUE(WaitForWindow(kDepartCaption, &dialog));
    ASSERT_TRUE(WaitForPicture(dialog, RenderedScreen(kDepartClass), kDepartClass));
    ASSERT_TRUE(IsAbove(dialog, org));
    const QImage before = CaptureWindow(org);
    const QRect frameBefore = ClientRect(dialog).adjusted(-1, -20, 1, 1).translated(-orgClient.topLeft());

    Drag(TitleBarPoint(orgClient), TitleBarPoint(orgClient) + QPoint(-40, 0));
    ASSERT_TRUE(WaitForMove(org, orgClient.topLeft()));
    orgClient = ClientRect(org);
    EXPECT_TRUE(IsAbove(dialog, org)) << "the screen came above its dialog";

    for (const char* control : {"新增机构", "属性", "SkinRadioButton1", "SkinCheckBox1"})
        ClickControl(org, kOrgClass, QString::fromUtf8(control));
    Click(OnScreen(orgClient, QPoint(60, 400))); // the page control's chart, beside the dialog
    // The dialog handles its own click only after the screen's: once it has grown,
    // the screen has seen all of them.
    ClickAttachPosts(dialog);
    ASSERT_TRUE(WaitForClientSize(dialog, QSize(563, 374)));
    EXPECT_TRUE(IsAbove(dialog, org));
    EXPECT_EQ(WindowsNamed(kDepartCaption).size(), 1u);
    EXPECT_TRUE(WindowsNamed(kRoleCaption).empty());
    const QRect frameAfter = ClientRect(dialog).adjusted(-1, -20, 1, 1).translated(-orgClient.topLeft());
    const std::vector<QPoint> changed = DifferingPixels(before, CaptureWindow(org), {frameBefore, frameAfter});
    EXPECT_TRUE(changed.empty()) << changed.size() << " pixels of the screen changed within "
                                 << BoundsOf(changed).x() << ", " << BoundsOf(changed).y() << ", "
                                 << BoundsOf(changed).width() << " x " << BoundsOf(changed).height();

    Key(QStringLiteral("Escape"));
    ASSERT_TRUE(WaitForNoWindow(kDepartCaption));
    // Still the picture view with nothing selected anew and no box ticked.
    MovePointerAway();
    EXPECT_TRUE(WaitForPicture(org, RenderedScreen(kOrgClass), kOrgClass + QStringLiteral("-after")));
}

} // namespace
