#include "grid/ptgrid/PTGridClasses.h"

#include "grid/core/GridClasses.h"
#include "grid/model/PTModelStorage.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "grid/viewgrid/ViewGridClasses.h"
#include "platform/framework/actions/ImageList.h"
#include "stream/PropertyBuilders.h"

using namespace props;

namespace {

using G = TTavikPTGrid;

// Counts a stored definition may give: beyond them a broken definition would
// build millions of cell objects before anyone noticed.
constexpr int kMaxStoredCols = 4096;
constexpr int kMaxStoredRows = 1000000;

PropertyInfo RowsProperty()
{
    PropertyInfo p;
    p.name = "Rows";
    p.read = [](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        G* grid = As<G>(o);
        TPTModelStorage::Read(*grid->Rows(), v, ctx.resource);
        grid->TreeShapeChanged();
    };
    p.write = [](const TPersistent* o) -> std::optional<FormValue> {
        return TPTModelStorage::Write(*As<G>(o)->Rows());
    };
    return p;
}

// The level column must name a column of the counts read before it.
PropertyInfo LevelColProperty()
{
    PropertyInfo p = Int<G>("LevelCol", &G::LevelCol, &G::SetLevelCol, -1);
    p.read = [](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        G* grid = As<G>(o);
        const int64_t col = ExpectInt(v, ctx);
        if (col < -1 || col >= grid->ColCount())
            ctx.Fail(v.pos, "LevelCol " + std::to_string(col) + " is not a column of " +
                                std::to_string(grid->ColCount()) + " columns (or -1)");
        grid->SetLevelCol(static_cast<int>(col));
    };
    return p;
}

PropertyInfo CellCreatedEvent()
{
    PropertyInfo p = Event<G, TPTCellEvent>("OnCellCreated", nullptr);
    p.read = [](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        As<G>(o)->SetOnCellCreated(ResolveHandler<TPTCellEvent>("OnCellCreated", v, ctx));
    };
    p.write = [](const TPersistent* o) -> std::optional<FormValue> {
        const TPTCellEvent& ev = As<G>(o)->OnCellCreated();
        if (!ev || ev.HandlerName().empty())
            return std::nullopt;
        return FormValue::Identifier(ev.HandlerName());
    };
    return p;
}

} // namespace

void RegisterPTGridClasses()
{
    auto& reg = ClassRegistry::Instance();
    if (reg.Find(ClassRegistry::NameOf<G>()))
        return;
    RegisterViewGridClasses();
    ClassInfo& grid =
        reg.Register<G>(ClassRegistry::NameOf<TTavikCustomViewGrid>(), [](TComponent* o) { return new G(o); });
    grid.Add(Int<TTavikCustomGrid>("ColCount", &TTavikCustomGrid::ColCount, &TTavikCustomGrid::SetColCount, 5, 1,
                                   kMaxStoredCols))
        .Add(Int<TTavikCustomGrid>("RowCount", &TTavikCustomGrid::RowCount, &TTavikCustomGrid::SetRowCount, 5, 1,
                                   kMaxStoredRows))
        .Add(RowsProperty())
        .Add(LevelColProperty())
        .Add(Event<G, TPTCellEvent>("OnCellDestroyed", &G::OnCellDestroyed))
        .Add(CellCreatedEvent())
        .Add(Event<G, TDrawSplitLineEvent>("OnDrawSplitLine", &G::OnDrawSplitLine))
        .Add(Int<G>("CellHorzMargin", &G::CellHorzMargin, &G::SetCellHorzMargin, 2, 0, 255))
        .Add(Int<G>("CellVertMargin", &G::CellVertMargin, &G::SetCellVertMargin, 2, 0, 255))
        .Add(Bool<G>("DirectEditBool", &G::DirectEditBool, &G::SetDirectEditBool, true))
        .Add(Bool<G>("DoubleBuffered", &G::DoubleBuffered, &G::SetDoubleBuffered, std::nullopt))
        .Add(Bool<TTavikCustomGrid>("Flat", &TTavikCustomGrid::Flat, &TTavikCustomGrid::SetFlat, false))
        .Add(Reference<G, TImageList>("Images", &G::Images, &G::SetImages, &G::SetImagesName, "an image list"))
        .Add(Bool<G>("IsTree", &G::IsTreeGrid, &G::SetIsTree, false))
        .Add(Set<TTavikCustomGrid, TGridOptionExs>("OptionExs", &TTavikCustomGrid::OptionExs,
                                                   &TTavikCustomGrid::SetOptionExs, GridOptionExNames(),
                                                   GridOptionEx(goReturnKeyAsTab)))
        .Add(Bool<TTavikCustomGrid>("ReadOnly", &TTavikCustomGrid::ReadOnly, &TTavikCustomGrid::SetReadOnly,
                                    std::nullopt))
        .Add(Bool<TWinControl>("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false))
        .Add(Bool<G>("ShowComment", &G::ShowComment, &G::SetShowComment, true))
        .Add(Event<G, TGridRangeChangedEvent>("OnFillRangeChanged", &G::OnFillRangeChanged))
        .Add(Event<G, TGridRangeChangedEvent>("OnMoveRangeChanged", &G::OnMoveRangeChanged))
        .Add(Event<G, TQueryCellAttributeEvent>("OnQueryCellAttribute", &G::OnQueryCellAttribute))
        .Add(Event<G, TQueryCellValueEvent>("OnQueryCellValue", &G::OnQueryCellValue))
        .Add(Event<G, TSelectionChangedEvent>("OnSelectionChanged", &G::OnSelectionChanged))
        .Add(Event<G, TUpdateCellAttributeEvent>("OnUpdateCellAttribute", &G::OnUpdateCellAttribute))
        .Add(Event<G, TUpdateCellValueEvent>("OnUpdateCellValue", &G::OnUpdateCellValue));
}
