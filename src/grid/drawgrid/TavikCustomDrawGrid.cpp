#include "grid/drawgrid/TavikCustomDrawGrid.h"

#include "grid/core/paint/GridPainter.h"

TTavikCustomDrawGrid::TTavikCustomDrawGrid(TComponent* owner) : TTavikCustomGrid(owner) {}

bool TTavikCustomDrawGrid::DrawCellEvent(int col, int row, TGridDrawState state, const TRect& rect)
{
    if (!OnDrawCell)
        return false;
    TRect where;
    AdjustEditorRect(col, row, where, rect);
    bool handled = false;
    OnDrawCell(this, Painter().Canvas(), col, row, where, state, handled);
    return handled;
}

void TTavikCustomDrawGrid::DrawCellDecoration(int col, int row, TGridDrawState state, const TRect& rect)
{
    TTavikCustomGrid::DrawCellDecoration(col, row, state, rect);
    DrawCellEvent(col, row, state, rect);
}

QString TTavikCustomDrawGrid::GetEditMask(int col, int row)
{
    QString mask;
    OnGetEditMask(this, col, row, mask);
    return mask;
}

QString TTavikCustomDrawGrid::GetEditText(int col, int row)
{
    QString text;
    GetEditTextHandler(this, col, row, text);
    return text;
}

void TTavikCustomDrawGrid::SetEditText(int col, int row, const QString& value)
{
    SetEditTextHandler(this, col, row, value);
}

bool TTavikCustomDrawGrid::SelectCell(int col, int row)
{
    bool canSelect = true;
    OnSelectCell(this, col, row, canSelect);
    return canSelect;
}

void TTavikCustomDrawGrid::TopLeftChanged()
{
    TTavikCustomGrid::TopLeftChanged();
    OnTopLeftChanged(this);
}

namespace {

bool AskDrag(const TGridQueryDragEvent& event, TObject* sender, int& origin, int& destination, const TPoint& pt,
             bool answer)
{
    event(sender, origin, destination, pt, answer);
    return answer;
}

bool AskSizing(const TGridQuerySizingEvent& event, TObject* sender, int index, const TPoint& pt)
{
    bool canSizing = true;
    event(sender, index, pt, canSizing);
    return canSizing;
}

} // namespace

bool TTavikCustomDrawGrid::BeginColumnDrag(int& origin, int& destination, const TPoint& mousePt)
{
    return AskDrag(OnQueryBeginColumnDrag, this, origin, destination, mousePt,
                   TTavikCustomGrid::BeginColumnDrag(origin, destination, mousePt));
}

bool TTavikCustomDrawGrid::BeginRowDrag(int& origin, int& destination, const TPoint& mousePt)
{
    return AskDrag(OnQueryBeginRowDrag, this, origin, destination, mousePt,
                   TTavikCustomGrid::BeginRowDrag(origin, destination, mousePt));
}

bool TTavikCustomDrawGrid::CheckColumnDrag(int& origin, int& destination, const TPoint& mousePt)
{
    return AskDrag(OnQueryCheckColumnDrag, this, origin, destination, mousePt,
                   TTavikCustomGrid::CheckColumnDrag(origin, destination, mousePt));
}

bool TTavikCustomDrawGrid::CheckRowDrag(int& origin, int& destination, const TPoint& mousePt)
{
    return AskDrag(OnQueryCheckRowDrag, this, origin, destination, mousePt,
                   TTavikCustomGrid::CheckRowDrag(origin, destination, mousePt));
}

bool TTavikCustomDrawGrid::EndColumnDrag(int& origin, int& destination, const TPoint& mousePt)
{
    return AskDrag(OnQueryEndColumnDrag, this, origin, destination, mousePt,
                   TTavikCustomGrid::EndColumnDrag(origin, destination, mousePt));
}

bool TTavikCustomDrawGrid::EndRowDrag(int& origin, int& destination, const TPoint& mousePt)
{
    return AskDrag(OnQueryEndRowDrag, this, origin, destination, mousePt,
                   TTavikCustomGrid::EndRowDrag(origin, destination, mousePt));
}

bool TTavikCustomDrawGrid::QueryColSizing(int index, const TPoint& mousePt)
{
    return AskSizing(OnQueryColSizing, this, index, mousePt);
}

bool TTavikCustomDrawGrid::QueryRowSizing(int index, const TPoint& mousePt)
{
    return AskSizing(OnQueryRowSizing, this, index, mousePt);
}
