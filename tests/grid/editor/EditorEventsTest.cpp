#include <gtest/gtest.h>

#include "../OneGridForm.h"
#include "grid/drawgrid/DrawGridClasses.h"
#include "grid/editor/InplaceEdit.h"
#include "grid/drawgrid/TavikCustomDrawGrid.h"
#include "stream/FormLoader.h"
#include "stream/FormReader.h"
#include "stream/FormWriter.h"
#include "grid/core/GridEditing.h"

namespace {

TEST(EditorEvents, AStoredDefinitionBindsTheEditorEventsByName)
{
    RegisterDrawGridClasses();
    TForm form(nullptr);
    std::vector<std::string> calls;
    form.Handler<TGridQueryEditStyleEvent>("GridEditStyle", [&](TObject*, int col, int, TEditStyle& s) {
        calls.push_back("style " + std::to_string(col));
        s = esDropDownList;
    });
    form.Handler<TGridGetDropDownListEvent>("GridDropDown", [&](TObject*, int, int, QStringList& items, int& rows) {
        calls.push_back("list " + std::to_string(rows));
        items = {QStringLiteral("x"), QStringLiteral("y")};
    });
    form.Handler<TGridGetEditEvent>("GridMask", [&](TObject*, int, int, QString& mask) { mask = QStringLiteral("L"); });
    form.Handler<TNotifyEvent>("GridModeChanged", [&](TObject*) { calls.push_back("mode"); });
    auto* grid = LoadOneGrid<TTavikCustomDrawGrid>(form, "TTavikCustomDrawGrid",
                                                   "    OnQueryEditStyle = GridEditStyle\n"
                                                   "    OnGetDropDownList = GridDropDown\n"
                                                   "    OnGetEditMask = GridMask\n"
                                                   "    OnEditorModeChanged = GridModeChanged\n");
    ASSERT_NE(grid, nullptr);
    form.SetActiveControl(grid);
    grid->SetEditorMode(true);
    ASSERT_NE(grid->Editing().Editor(), nullptr);
    EXPECT_EQ(grid->Editing().Editor()->EditStyle(), esDropDownList);
    EXPECT_EQ(grid->Editing().Editor()->EditMask(), QStringLiteral("L"));
    grid->Editing().Editor()->DropDown();
    EXPECT_EQ(calls, (std::vector<std::string>{"style 1", "mode", "list 12"}));

    const FormObject saved = SaveForm(&form);
    const FormObject* g = saved.FindChild("Grid1");
    ASSERT_NE(g, nullptr);
    for (const char* name : {"OnQueryEditStyle", "OnGetDropDownList", "OnGetEditMask", "OnEditorModeChanged"})
        EXPECT_NE(g->Find(name), nullptr) << name;
}

} // namespace
