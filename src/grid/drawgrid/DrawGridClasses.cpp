#include "grid/drawgrid/DrawGridClasses.h"

#include "grid/core/GridClasses.h"
#include "grid/drawgrid/TavikCustomDrawGrid.h"
#include "stream/PropertyBuilders.h"

using namespace props;

namespace {

using G = TTavikCustomDrawGrid;

const std::vector<std::string> kBorderStyleNames = {"bsNone", "bsSingle"};
const std::vector<std::string> kScrollStyleNames = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};

} // namespace

void RegisterDrawGridClasses()
{
    auto& reg = ClassRegistry::Instance();
    if (reg.Find(ClassRegistry::NameOf<G>()))
        return;
    RegisterGridCoreClasses();
    ClassInfo& grid =
        reg.Register<G>(ClassRegistry::NameOf<TTavikCustomGrid>(), [](TComponent* o) { return new G(o); });
    grid.Add(Enum<G, TFormBorderStyle>("BorderStyle", &G::BorderStyle, &G::SetBorderStyle, kBorderStyleNames,
                                       bsSingle))
        .Add(Color<TControl>("Color", &TControl::Color, &TControl::SetColor, clWindow))
        .Add(Bool<TWinControl>("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D, true))
        .Add(Bool<G>("DefaultDrawing", &G::DefaultDrawing, &G::SetDefaultDrawing, true))
        .Add(Color<G>("FixedColor", &G::FixedColor, &G::SetFixedColor, clBtnFace))
        .Add(Int<G>("FixedEditCols", &G::FixedEditCols, &G::SetFixedEditCols, 0))
        .Add(Int<G>("FixedEditRows", &G::FixedEditRows, &G::SetFixedEditRows, 0))
        .Add(Bool<G>("Flat", &G::Flat, &G::SetFlat, false))
        .Add(Int<G>("GridLineWidth", &G::GridLineWidth, &G::SetGridLineWidth, 1))
        .Add(Bool<TControl>("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false))
        .Add(Bool<TWinControl>("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D, true))
        .Add(Enum<G, TScrollStyle>("ScrollBars", &G::ScrollBars, &G::SetScrollBars, kScrollStyleNames, ssBoth))
        .Add(Bool<TWinControl>("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, true))
        // The core's events, published here.
        .Add(Event<G, TGridBeforeMoveCurrentEvent>("OnBeforeMoveCurrent", &G::OnBeforeMoveCurrent))
        .Add(Event<G, TGridIndexEvent>("OnColWidthsChanged", &G::OnColWidthsChanged))
        .Add(Event<G, TGridMoveCurrentEvent>("OnMoveCurrent", &G::OnMoveCurrent))
        .Add(Event<G, TGridQueryCellEvent>("OnQueryReadOnly", &G::OnQueryReadOnly))
        .Add(Event<G, TGridQueryEditorModeEvent>("OnQueryEditorMode", &G::OnQueryEditorMode))
        .Add(Event<G, TGridQueryRowChangeEvent>("OnQueryRowChange", &G::OnQueryRowChange))
        .Add(Event<G, TGridQueryCellEvent>("OnQuerySpecRegion", &G::OnQuerySpecRegion))
        .Add(Event<G, TGridIndexEvent>("OnRowHeightsChanged", &G::OnRowHeightsChanged))
        // The editor's events.
        .Add(Event<G, TGridBeforeListSelectedEvent>("OnBeforeDropDownListSelected", &G::OnBeforeDropDownListSelected))
        .Add(Event<G, TGridListSelectedEvent>("OnDropDownListSelected", &G::OnDropDownListSelected))
        .Add(Event<G, TGridCellEvent>("OnEditButtonClick", &G::OnEditButtonClick))
        .Add(Event<G, TNotifyEvent>("OnEditorModeChanged", &G::OnEditorModeChanged))
        .Add(Event<G, TGridGetDropDownListEvent>("OnGetDropDownList", &G::OnGetDropDownList))
        .Add(Event<G, TGridGetTreeViewListEvent>("OnGetTreeViewList", &G::OnGetTreeViewList))
        .Add(Event<G, TGridDrawListItemEvent>("OnDrawListItem", &G::OnDrawListItem))
        .Add(Event<G, TGridInplaceEditChangedEvent>("OnInplaceEditChanged", &G::OnInplaceEditChanged))
        .Add(Event<G, TGridMeasureListItemEvent>("OnMeasureListItem", &G::OnMeasureListItem))
        .Add(Event<G, TGridQueryEditHideEvent>("OnQueryEditHide", &G::OnQueryEditHide))
        .Add(Event<G, TGridQueryEditPropertyEvent>("OnQueryEditProperty", &G::OnQueryEditProperty))
        .Add(Event<G, TGridQueryEditStyleEvent>("OnQueryEditStyle", &G::OnQueryEditStyle))
        .Add(Event<G, TGridQueryListStyleEvent>("OnQueryListStyle", &G::OnQueryListStyle))
        .Add(Event<G, TGridTreeViewListSelectedEvent>("OnTreeViewListSelected", &G::OnTreeViewListSelected))
        // The draw grid's own.
        .Add(Event<G, TGridMovedEvent>("OnColumnMoved", &G::OnColumnMoved))
        .Add(Event<G, TGridDrawCellEvent>("OnDrawCell", &G::OnDrawCell))
        .Add(Event<G, TGridGetEditEvent>("OnGetEditMask", &G::OnGetEditMask))
        .Add(Event<G, TGridQueryDragEvent>("OnQueryBeginColumnDrag", &G::OnQueryBeginColumnDrag))
        .Add(Event<G, TGridQueryDragEvent>("OnQueryBeginRowDrag", &G::OnQueryBeginRowDrag))
        .Add(Event<G, TGridQueryDragEvent>("OnQueryCheckColumnDrag", &G::OnQueryCheckColumnDrag))
        .Add(Event<G, TGridQueryDragEvent>("OnQueryCheckRowDrag", &G::OnQueryCheckRowDrag))
        .Add(Event<G, TGridQuerySizingEvent>("OnQueryColSizing", &G::OnQueryColSizing))
        .Add(Event<G, TGridQueryDragEvent>("OnQueryEndColumnDrag", &G::OnQueryEndColumnDrag))
        .Add(Event<G, TGridQueryDragEvent>("OnQueryEndRowDrag", &G::OnQueryEndRowDrag))
        .Add(Event<G, TGridQuerySizingEvent>("OnQueryRowSizing", &G::OnQueryRowSizing))
        .Add(Event<G, TGridMovedEvent>("OnRowMoved", &G::OnRowMoved))
        .Add(Event<G, TGridSelectCellEvent>("OnSelectCell", &G::OnSelectCell))
        .Add(Event<G, TNotifyEvent>("OnTopLeftChanged", &G::OnTopLeftChanged));
}
