#include "grid/core/GridClasses.h"

#include <string>

#include "grid/core/TavikCustomGrid.h"
#include "stream/PlatformClasses.h"
#include "stream/PropertyBuilders.h"

using namespace props;

const std::vector<std::string>& GridOptionNames()
{
    static const std::vector<std::string> names = {
        "goFixedVertLine",   "goFixedHorzLine",    "goVertLine",          "goHorzLine",
        "goRangeSelect",     "goDrawFocusSelected", "goRowSizing",        "goColSizing",
        "goRowMoving",       "goColMoving",        "goEditing",           "goTabs",
        "goRowSelect",       "goMultiSelection",   "goAlwaysShowEditor",  "goThumbTracking",
        "goColDblClickMaxWidth", "goCellMerge",    "goShowRowNo",         "goShowColNo",
        "goRowSplit",        "goAdjustLiberty",    "goFixedColorExtent",  "goAutoThemeAdapt",
        "goAllowCheckBoxGrayed", "goBoolClickBoxSwitch", "goFixedCellEvent", "goRangeFilling",
        "goRangeMoving"};
    return names;
}

const std::vector<std::string>& GridOptionExNames()
{
    static const std::vector<std::string> names = {"goAllowSelectRow", "goAllowSelectCol", "goAllowSelectAll",
                                                   "goHideEditOnExit", "goReturnKeyAsTab"};
    return names;
}

namespace {

using Count = int (TTavikCustomGrid::*)() const;
using Getter = int (TTavikCustomGrid::*)(int) const;
using Setter = void (TTavikCustomGrid::*)(int, int);
using Extents = const TGridExtents& (TTavikCustomGrid::*)() const;

// One integer per column (row); the counts are stored earlier, so a list of
// another length is a broken definition.
PropertyInfo ExtentList(const std::string& name, Count count, Getter get, Setter set, Extents extents)
{
    PropertyInfo p;
    p.name = name;
    p.read = [=](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        auto* grid = As<TTavikCustomGrid>(o);
        if (v.kind != FormValue::Kind::List)
            ctx.Fail(v.pos, "expected a list for '" + name + "', found " + v.Describe());
        const int n = (grid->*count)();
        if (static_cast<int64_t>(v.list.size()) != n)
            ctx.Fail(v.pos, name + " holds " + std::to_string(v.list.size()) + " entries, expected " +
                                std::to_string(n));
        for (int i = 0; i < n; ++i)
            (grid->*set)(i, static_cast<int>(ExpectInt(v.list[static_cast<size_t>(i)], ctx)));
    };
    p.write = [=](const TPersistent* o) -> std::optional<FormValue> {
        const auto* grid = As<TTavikCustomGrid>(o);
        if (!(grid->*extents)().HasBlock())
            return std::nullopt;
        std::vector<FormValue> entries;
        const int n = (grid->*count)();
        entries.reserve(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            entries.push_back(FormValue::Int((grid->*get)(i)));
        return FormValue::ListOf(std::move(entries));
    };
    return p;
}

} // namespace

void RegisterGridCoreClasses()
{
    auto& reg = ClassRegistry::Instance();
    if (reg.Find(ClassRegistry::NameOf<TTavikCustomGrid>()))
        return;
    RegisterPlatformClasses();
    ClassInfo& grid = reg.Register<TTavikCustomGrid>("TCustomControl",
                                                     [](TComponent* o) { return new TTavikCustomGrid(o); });
    grid.Add(Int<TTavikCustomGrid>("ColCount", &TTavikCustomGrid::ColCount, &TTavikCustomGrid::SetColCount, 5))
        .Add(Int<TTavikCustomGrid>("DefaultColWidth", &TTavikCustomGrid::DefaultColWidth,
                                   &TTavikCustomGrid::SetDefaultColWidth, 72))
        .Add(Int<TTavikCustomGrid>("DefaultRowHeight", &TTavikCustomGrid::DefaultRowHeight,
                                   &TTavikCustomGrid::SetDefaultRowHeight, 18))
        .Add(Int<TTavikCustomGrid>("FixedCols", &TTavikCustomGrid::FixedCols, &TTavikCustomGrid::SetFixedCols, 1))
        .Add(Int<TTavikCustomGrid>("RowCount", &TTavikCustomGrid::RowCount, &TTavikCustomGrid::SetRowCount, 5))
        .Add(Int<TTavikCustomGrid>("FixedRows", &TTavikCustomGrid::FixedRows, &TTavikCustomGrid::SetFixedRows, 1))
        .Add(Set<TTavikCustomGrid, TGridOptions>("Options", &TTavikCustomGrid::Options,
                                                 &TTavikCustomGrid::SetOptions, GridOptionNames(),
                                                 DefaultGridOptions))
        .Add(ExtentList("ColWidths", &TTavikCustomGrid::ColCount, &TTavikCustomGrid::ColWidths,
                        &TTavikCustomGrid::SetColWidths, &TTavikCustomGrid::ColExtents))
        .Add(ExtentList("RowHeights", &TTavikCustomGrid::RowCount, &TTavikCustomGrid::GetRowHeight,
                        &TTavikCustomGrid::SetRowHeights, &TTavikCustomGrid::RowExtents));
}
