#include <gtest/gtest.h>

#include <memory>

#include "grid/core/GridClasses.h"
#include "grid/core/TavikCustomGrid.h"
#include "platform/framework/Form.h"
#include "stream/FormLoader.h"
#include "stream/FormReader.h"

namespace {

std::string GridForm(const std::string& lists)
{
    return "object F: TForm\n"
           "  object Grid1: TTavikCustomGrid\n"
           "    ColCount = 4\n"
           "    RowCount = 3\n" +
           lists + "  end\nend\n";
}

class GridStoredLists : public ::testing::Test {
protected:
    void SetUp() override { RegisterGridCoreClasses(); }
    std::unique_ptr<TForm> Load(const std::string& text)
    {
        auto form = std::make_unique<TForm>(nullptr);
        LoadForm(form.get(), ReadForm(text, "Grid.dfm"), "Grid.dfm");
        return form;
    }
};

TEST_F(GridStoredLists, WidthsAndHeightsRoundTrip)
{
    auto form = Load(GridForm("    ColWidths = (\n      20\n      124\n      277\n      371)\n"
                              "    RowHeights = (18 0 30)\n"));
    auto* grid = form->Find<TTavikCustomGrid>("Grid1");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->ColWidths(0), 20);
    EXPECT_EQ(grid->ColWidths(3), 371);
    EXPECT_EQ(grid->GetRowHeight(1), 0);
    EXPECT_EQ(grid->GetRowHeight(2), 30);

    const FormObject saved = SaveForm(form.get());
    const FormObject* g = saved.FindChild("Grid1");
    ASSERT_NE(g, nullptr);
    const FormProperty* widths = g->Find("ColWidths");
    ASSERT_NE(widths, nullptr);
    EXPECT_EQ(widths->value, FormValue::ListOf({FormValue::Int(20), FormValue::Int(124), FormValue::Int(277),
                                                FormValue::Int(371)}));
    auto again = std::make_unique<TForm>(nullptr);
    LoadForm(again.get(), saved, "again");
    EXPECT_EQ(SaveForm(again.get()), saved);
}

TEST_F(GridStoredLists, AListOfTheWrongLengthIsABrokenDefinition)
{
    try {
        Load(GridForm("    ColWidths = (20 124 277)\n"));
        FAIL() << "no error";
    } catch (const EFormError& e) {
        EXPECT_EQ(e.Pos().line, 5);
        EXPECT_GT(e.Pos().column, 0);
        EXPECT_EQ(e.Problem(), "ColWidths holds 3 entries, expected 4");
    }
    EXPECT_THROW(Load(GridForm("    RowHeights = (1 2 3 4)\n")), EFormError);
    EXPECT_THROW(Load(GridForm("    RowHeights = 7\n")), EFormError);
}

} // namespace
