#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "QtPrinters.h"
#include "app/Startup.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/framework/Application.h"
#include "screens/DepartPropForm.h"
#include "screens/PostForm.h"
#include "screens/RightSetForm.h"
#include "screens/RolePropForm.h"
#include "screens/UserForm.h"
#include "support/GridText.h"
#include "support/ScreenTest.h"

namespace {

using ScreenGridsTest = ScreenTest;

std::string Sizes(TTavikPTGrid& g)
{
    std::string out = std::to_string(g.ColCount()) + "x" + std::to_string(g.RowCount()) + " w";
    for (int c = 0; c < g.ColCount(); ++c)
        out += " " + std::to_string(g.ColWidths(c));
    out += " h";
    for (int r = 0; r < g.RowCount(); ++r)
        out += " " + std::to_string(g.GetRowHeight(r));
    return out;
}

struct GridCase {
    const char* grid;
    const char* sizes;
    int row;
    const char* texts;
    bool paintSelection;
};

template <class Form>
void CheckGrids(const std::vector<GridCase>& cases)
{
    Form form(nullptr);
    for (const GridCase& c : cases) {
        SCOPED_TRACE(c.grid);
        auto* g = form.template Find<TTavikPTGrid>(QString::fromLatin1(c.grid));
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(Sizes(*g), c.sizes);
        EXPECT_EQ(RowTexts(*g, c.row), c.texts);
        EXPECT_EQ(g->PaintSelection(), c.paintSelection);
        EXPECT_EQ(g->Rows()->Count(), g->RowCount());
        EXPECT_TRUE(g->HasOption(goShowRowNo));
        // The head cells are centred; the black first cell has its own font.
        EXPECT_EQ(g->Cell(1, 0)->HorzAlignment(), haCenter);
    }
}

TEST_F(ScreenGridsTest, EveryScreenGridHasItsCountsSizesTextsAndHighlight)
{
    CheckGrids<TPostForm>({{"TavikPTGrid2", "4x4 w 20 124 277 371 h 20 18 20 18", 3, "|T.TM.ZG|项目经理|", false}});
    CheckGrids<TUserForm>(
        {{"TavikPTGrid1", "7x5 w 20 90 135 72 72 78 94 h 20 20 18 18 18", 4, "|Fange|宋远|修改|修改|F|", false},
         {"TavikPTGrid2", "4x4 w 20 132 74 339 h 20 18 20 18", 0, "|岗位名称|岗位编码|路径", false}});
    CheckGrids<TRightSetForm>(
        {{"TavikPTGrid1", "3x3 w 20 287 225 h 20 20 18", 2, "|何平|Hep", false},
         {"TavikPTGrid3", "3x8 w 20 287 226 h 20 20 18 18 18 18 18 18", 7, "|材料调拨单|", false},
         {"TavikPTGrid2", "5x5 w 20 119 75 254 63 h 20 18 20 18 18", 3,
          "|总工程师|T.TM.ZG|董事会\\总经理办公室\\全资子公司\\土木公司|岗位", false},
         {"TavikPTGrid6", "5x2 w 20 119 75 63 254 h 20 18", 1,
          "|总会计师|T.TM.ZK|浏览|董事会\\总经理办公室\\全资子公司\\土木公司", false},
         {"TavikPTGrid7", "9x12 w 20 166 58 58 58 58 58 53 0 h 20 18 18 20 18 18 18 18 18 18 18 18", 5,
          "|项目材料采购合同|T|FALSE|FALSE|FALSE|FALSE|T|2", false},
         {"TavikPTGrid4", "3x2 w 20 311 202 h 20 18", 1, "|项目|PRJ", false},
         {"TavikPTGrid5", "6x2 w 20 198 126 62 62 62 h 20 20", 1, "|北京塔维克大厦项目|T.TM.BJ.TWKXM|TRUE|TRUE|TRUE",
          false}});
    CheckGrids<TDepartPropForm>({{"TavikPTGrid1", "3x5 w 20 124 167 h 20 20 18 18 18", 1, "|Zhengl|郑林", true},
                                 {"TavikPTGrid2", "3x4 w 20 132 84 h 20 18 20 18", 2, "|经理|T.TM.JY", true}});
    CheckGrids<TRolePropForm>({{"TavikPTGrid1", "3x3 w 20 124 167 h 20 20 18", 2, "|Hep|何平", true}});
}

TEST_F(ScreenGridsTest, RightsTreeGridHidesItsLevelColumnAndFolds)
{
    TRightSetForm form(nullptr);
    auto* g = form.Find<TTavikPTGrid>(QStringLiteral("TavikPTGrid7"));
    ASSERT_NE(g, nullptr);
    EXPECT_TRUE(g->IsTreeGrid());
    EXPECT_EQ(g->LevelCol(), 8);
    EXPECT_EQ(g->ColWidths(8), 0);
    EXPECT_TRUE(g->HasOption(goRangeFilling));
    EXPECT_EQ(g->Cell(2, 1)->DataType(), cdtBoolean);
    EXPECT_EQ(g->RowLevel(3), 2);
    EXPECT_EQ(g->ParentRow(5), 4);
    g->SetRowExpanded(4, false);
    for (int r : {5, 6, 7})
        EXPECT_EQ(g->GetRowHeight(r), 0) << r;
    EXPECT_EQ(g->GetRowHeight(8), 18);
    g->SetRowExpanded(4, true);
    EXPECT_EQ(g->GetRowHeight(5), 18);
}

TEST_F(ScreenGridsTest, UserGridLinkColumnsShowTheHandAndAnnounceTheirDialogs)
{
    TUserForm form(nullptr);
    TTavikPTGrid* g = form.TavikPTGrid1;
    ASSERT_NE(g, nullptr);
    g->SetBounds(0, 48, 570, 299);
    auto centre = [&](int col, int row) {
        const TRect r = g->CellBounds(col, row);
        return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    };
    struct Case {
        int col, row;
        TMouseButton button;
        TCursor cursor;
        const char* message;
    };
    const Case cases[] = {
        {3, 0, mbLeft, crHandPoint, TUserForm::PasswordMessage},
        {3, 2, mbLeft, crHandPoint, TUserForm::PasswordMessage},
        {4, 0, mbLeft, crHandPoint, TUserForm::SignatureMessage},
        {4, 1, mbRight, crHandPoint, nullptr},
        {5, 0, mbLeft, crDefault, nullptr},
        {1, 3, mbLeft, crDefault, nullptr},
        {0, 2, mbLeft, crDefault, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.col) + "," + std::to_string(c.row));
        messages.clear();
        const TPoint p = centre(c.col, c.row);
        form.TavikPTGrid1MouseMove(g, 0, p.X, p.Y);
        EXPECT_EQ(g->Cursor(), c.cursor);
        form.TavikPTGrid1MouseUp(g, c.button, 0, p.X, p.Y);
        EXPECT_EQ(messages, c.message ? std::vector<QString>{QString::fromUtf8(c.message)} : std::vector<QString>{});
    }
    // Off the cells: no column, default cursor.
    form.TavikPTGrid1MouseMove(g, 0, 569, 298);
    EXPECT_EQ(g->Cursor(), crDefault);
}

} // namespace
