#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "app/Startup.h"
#include "chrome/pagecontrol/FlatTabSheet.h"
#include "chrome/checkboxes/SkinRadioButton.h"
#include "orgchart/OcInplaceEdit.h"
#include "orgchart/OrgChart.h"
#include "platform/framework/Application.h"
#include "platform/framework/actions/ImageList.h"
#include "screens/OrgForm.h"
#include "support/ScreenTest.h"

namespace {

using OrgFormChartTest = ScreenTest;

TOcNode* FindNode(TOrgChart* chart, const QString& text)
{
    for (TOcNode* n = chart->Tree().FirstNode(); n; n = n->GetNext())
        if (n->Text() == text)
            return n;
    return nullptr;
}

} // namespace

TEST_F(OrgFormChartTest, ChartOpensWithLevelsZeroToFourShown)
{
    TOrgForm form(nullptr);
    TOrgChart* chart = form.org;
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->Tree().Count(), 26);
    EXPECT_EQ(chart->BoundsRect(), (TRect{0, 0, 796, 455}));
    EXPECT_EQ(chart->DefaultNodeWidth(), 80);
    EXPECT_EQ(chart->DefaultNodeHeight(), 40);
    EXPECT_EQ(chart->Images(), form.Find<TImageList>("ImageList1"));
    EXPECT_TRUE(chart->HasOption(ocRect3D));
    EXPECT_TRUE(chart->HasOption(ocAnimate));
    EXPECT_FALSE(chart->HasOption(ocInsDel));
    EXPECT_EQ(chart->EditMode(), TOcEditMode(emCenter | emVCenter | emWrap));
    EXPECT_EQ(chart->Tree().Selected(), chart->Tree().FirstNode());
    int visibleByLevel[7] = {};
    QStringList expanded;
    for (TOcNode* n = chart->Tree().FirstNode(); n; n = n->GetNext()) {
        if (n->IsVisible())
            ++visibleByLevel[n->Level()];
        if (n->Expanded())
            expanded << n->Text();
    }
    EXPECT_EQ(std::vector<int>(visibleByLevel, visibleByLevel + 7), (std::vector<int>{1, 1, 1, 8, 4, 0, 0}));
    EXPECT_EQ(expanded, (QStringList{"塔维克建筑有限公司", "董事会", "总经理办公室", "7.全资子公司", "8.参控股公司"}));
    EXPECT_FALSE(FindNode(chart, "0.土木公司")->Expanded());
    // Cells of 80 + 1 (shadow) + 1 + 16 = 98; eight columns under the office, two of them double.
    EXPECT_EQ(chart->FullWidth(), 980);
    EXPECT_EQ(chart->NodeShapeRect(chart->Tree().FirstNode()), (TRect{449, 16, 531, 58}));
}

TEST_F(OrgFormChartTest, PropertiesFollowTheSelectedNodesPicture)
{
    TOrgForm form(nullptr);
    CloseModalWindows();
    form.acPropExecute(nullptr); // the first node, a company, is selected from the start
    form.org->Tree().SetSelected(FindNode(form.org, "0.总经理"));
    form.acPropExecute(nullptr);
    form.org->Tree().Selected()->SetImageIndex(3);
    form.acPropExecute(nullptr);
    EXPECT_EQ(opened, (std::vector<QString>{"部门属性", "角色属性(部门岗位)"}));
    EXPECT_EQ(messages, std::vector<QString>{"不使能"});
}

TEST_F(OrgFormChartTest, RenameOpensTheChartsEditorOnThePicturePage)
{
    TOrgForm form(nullptr);
    form.org->Tree().SetSelected(FindNode(form.org, "董事会"));
    form.acRenameExecute(nullptr);
    ASSERT_TRUE(form.org->Editing());
    EXPECT_EQ(form.org->Editor()->EditText(), "董事会");
    form.org->SetEditing(false);
    EXPECT_FALSE(form.org->Editing());
}
