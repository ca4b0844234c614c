// Input of the view grid: check cells toggled by press and space, expand
// buttons of tree rows, the best column width on a double click, the
// comment pop-up and the size hint while a column or row is resized.

#include <algorithm>

#include "grid/core/pointer/GridPointer.h"
#include "grid/viewgrid/CheckCell.h"
#include "grid/viewgrid/CommentBox.h"
#include "grid/viewgrid/HintBox.h"
#include "grid/editor/InplaceEdit.h"
#include "grid/viewgrid/TavikCustomViewGrid.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/actions/ImageList.h"
#include "grid/core/GridEditing.h"

namespace {

bool OnExpandButton(TTavikCustomViewGrid& grid, int col, int row, int x, int y)
{
    if (!grid.IsTreeGrid())
        return false;
    const TRect c = grid.CellBounds(col, row);
    const int level = grid.RowLevel(row);
    const int dx = x - (c.Left + grid.CellHorzMargin());
    const int dy = y - c.Top;
    const int h = c.Bottom - c.Top;
    return 10 * level < dx && dx < 10 * level + 11 && h / 2 - 5 < dy && dy < h / 2 + 6;
}

} // namespace

bool TTavikCustomViewGrid::HasEditParts(int col, int row)
{
    TCellAttrInfo info;
    GetCellAttrs(col, row, info, CellAttr(caDataType));
    return info.DataType == cdtVectorGraph;
}

bool TTavikCustomViewGrid::IsSpecialRegion(int x, int y)
{
    if (TTavikCustomDrawGrid::IsSpecialRegion(x, y))
        return true;
    const TGridCoord cell = PointToCell(x, y);
    if (cell.X < 0 || cell.Y < 0)
        return false;
    TCellAttrInfo info;
    GetCellAttrs(cell.X, cell.Y, info, CellAttr(caDataType));
    const bool treeCell = isTree_ && IsTreeColumn(cell.X);
    if (HasOption(goBoolClickBoxSwitch) && info.DataType == cdtBoolean) {
        TRect r = CellBounds(cell.X, cell.Y);
        if (treeCell)
            r.Left += 10 * RowLevel(cell.Y) + 10;
        return !CheckBoxHitBox(r).Contains({x, y});
    }
    if (treeCell && cell.Y != 0 && RowHasChildren(cell.Y))
        return OnExpandButton(*this, cell.X, cell.Y, x, y);
    return false;
}

bool TTavikCustomViewGrid::ClickShowsEditor(int x, int y)
{
    const TGridCoord cell = PointToCell(x, y);
    if (cell.X < 0 || cell.Y < 0 || HasOption(goAlwaysShowEditor) || !directEditBool_)
        return false;
    TCellAttrInfo info;
    GetCellAttrs(cell.X, cell.Y, info, CellAttr(caDataType));
    return info.DataType == cdtBoolean;
}

bool TTavikCustomViewGrid::QueryToggleStore(int col, int row, const QString& text)
{
    return Editing().QueryHide(col, row, text);
}

bool TTavikCustomViewGrid::IsCheckCell(int col, int row)
{
    TCellAttrInfo info;
    GetCellAttrs(col, row, info, CellAttr(caDataType));
    return info.DataType == cdtBoolean;
}

bool TTavikCustomViewGrid::ToggleCheckCell(int col, int row)
{
    const QString text = ToggledCheckValue(GetCellValue(col, row));
    if (!QueryToggleStore(col, row, text))
        return false;
    SetEditText(col, row, text);
    InvalidateGridRect(MergedArea(col, row));
    return true;
}

bool TTavikCustomViewGrid::IsBestWidthHit(int x, int y)
{
    const TGridCoord cell = PointToCell(x, y);
    if (cell.X < 0 || cell.Y < 0 || cell.X < EditableCol())
        return false;
    const TRect r = CellBounds(cell.X, cell.Y);
    int col = cell.X;
    if (r.Right - x < 4) {
        col = cell.X;
    } else if (x - r.Left < 5) {
        col = cell.X - 1;
        while (col > 0 && ColWidths(col) <= 0)
            --col;
    } else {
        return false;
    }
    if (col > 0)
        ApplyBestWidth(col);
    return true;
}

int TTavikCustomViewGrid::BestWidth(int col)
{
    CheckCol(col);
    TCanvas& measure = MeasureCanvas();
    TImageList* images = images_.Get();
    const bool treeColumn = isTree_ && IsTreeColumn(col);
    int best = 10;
    for (int row = 0; row < RowCount(); ++row) {
        if (GetRowHeight(row) == 0)
            continue;
        TCellAttrInfo info;
        GetCellAttrs(col, row,
                     info,
                     FontCellAttrs | CellAttrs({caHorzMargin, caImageIndex, caImageLayout, caDataType}));
        const int m = info.HorzMargin;
        int image = 0;
        if (images && info.ImageIndex != -1 && info.ImageLayout != clImageTop && info.ImageLayout != clImageBottom)
            image = images->Width() + 2 * m;
        auto textWidth = [&] {
            TFont& f = measure.Font();
            f.SetName(info.FontName);
            f.SetSize(info.FontSize);
            f.SetStyle(info.FontStyles);
            int w = 0;
            // Under an open editor the current cell is as wide as what is being typed.
            const bool edited = EditorMode() && Editing().Editor() && Current() == TGridCoord{col, row};
            const QString text = edited ? Editing().Editor()->Text() : GetCellValue(col, row);
            for (const QString& line : text.split(u'\n'))
                w = std::max(w, measure.TextWidth(QString(line).remove(u'\r')));
            return w;
        };
        int content = 0;
        if (treeColumn && row >= EditableRow())
            content = textWidth() + 10 * (RowLevel(row) + 1) + 10;
        else if (info.DataType == cdtBoolean)
            content = 2 * m + 13;
        else if (HasEditParts(col, row))
            content = AuxCellQuery2(col, row);
        else
            content = textWidth();
        best = std::max(best, image + content + 2 * m);
    }
    return best;
}

void TTavikCustomViewGrid::ApplyBestWidth(int col)
{
    SetColWidths(col, BestWidth(col));
}

bool TTavikCustomViewGrid::CommentAt(int x, int y, QString& text, TPoint& where)
{
    const TGridCoord cell = PointToCell(x, y);
    if (cell.X < FixedCols() || cell.Y < FixedRows())
        return false;
    const TGridRect area = MergedArea(cell.X, cell.Y);
    TCellAttrInfo info;
    GetCellAttrs(area.Left, area.Top, info, CellAttrs({caShowComment, caComment}));
    if (!info.ShowComment)
        return false;
    text = info.Comment;
    const TRect r = CellBounds(cell.X, cell.Y);
    where = {r.Right, r.Top - 10};
    return true;
}

void TTavikCustomViewGrid::UpdateComment(int x, int y)
{
    QString text;
    TPoint where;
    if (CommentAt(x, y, text, where)) {
        if (!commentBox_)
            commentBox_ = new TCustomCommentBox(this);
        commentBox_->SetCommentText(text);
        commentBox_->ShowAt(ClientToScreen(where));
    } else if (commentBox_) {
        commentBox_->SetVisible(false);
    }
}

QString TTavikCustomViewGrid::SizeHintText()
{
    const TGridMouseState state = MouseState();
    if (state != gmsColResizing && state != gmsRowResizing)
        return {};
    const bool cols = state == gmsColResizing;
    const int index = Pointer().Tracker().SizingIndex;
    const int lw = GridLineWidth();
    auto extent = [&](int i) { return cols ? ColWidths(i) : GetRowHeight(i); };
    const int fixed = cols ? FixedCols() : FixedRows();
    const int first = cols ? TopLeft().X : TopLeft().Y;
    int start = 0;
    for (int i = 0; i < std::min(fixed, index); ++i)
        start += extent(i) + lw;
    for (int i = first; i < index; ++i)
        start += extent(i) + lw;
    const int size = Pointer().Tracker().SizingPos - start;
    const double mm = size / double(PixelsPerInch) * 25.4;
    return cols ? QString::asprintf("宽度: %d 象素 (%2.1f 毫米)", size, mm)
                : QString::asprintf("高度: %d 象素 (%2.1f 毫米)", size, mm);
}

void TTavikCustomViewGrid::UpdateSizeHint()
{
    if (!showSizeHint_ || !hintBox_)
        return;
    const QString text = SizeHintText();
    if (!text.isEmpty())
        hintBox_->SetHintText(text);
}

void TTavikCustomViewGrid::ShowSizeHintAt(int x, int y)
{
    if (!showSizeHint_)
        return;
    if (!hintBox_)
        hintBox_ = new TCustomHintBox(this);
    const TGridCoord cell = PointToCell(x, y);
    if (cell.X > FixedCols() && cell.Y > FixedRows()) {
        hintBox_->SetVisible(false);
        return;
    }
    UpdateSizeHint();
    if (MouseState() == gmsColResizing)
        hintBox_->ShowAt(ClientToScreen({x - 15, y + 10}));
    else
        hintBox_->ShowAt(ClientToScreen({x + 15, y - 10}));
}

void TTavikCustomViewGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (EditorMode()) {
        if (!CanHideEditor())
            return;
        HideEditor();
    }
    TTavikCustomDrawGrid::MouseDown(button, shift, x, y);
    if (button == mbLeft && !(shift & ssDouble)) {
        const TGridCoord cell = PointToCell(x, y);
        if (cell.X >= 0 && cell.Y >= 0 && IsTreeColumn(cell.X) && cell.Y != 0 && RowHasChildren(cell.Y) &&
            OnExpandButton(*this, cell.X, cell.Y, x, y)) {
            SetRowExpanded(cell.Y, !RowExpanded(cell.Y));
            UpdateScrollRange();
        }
    }
    if (MouseState() == gmsColResizing || MouseState() == gmsRowResizing)
        ShowSizeHintAt(x, y);
}

void TTavikCustomViewGrid::MouseMove(TShiftState shift, int x, int y)
{
    TTavikCustomDrawGrid::MouseMove(shift, x, y);
    if (showComment_ && MouseState() == gmsNone)
        UpdateComment(x, y);
    UpdateSizeHint();
}

void TTavikCustomViewGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TTavikCustomDrawGrid::MouseUp(button, shift, x, y);
    if (showSizeHint_ && hintBox_)
        hintBox_->SetVisible(false);
}

void TTavikCustomViewGrid::MouseLeave()
{
    TTavikCustomDrawGrid::MouseLeave();
    if (commentBox_)
        commentBox_->SetVisible(false);
    if (hintBox_)
        hintBox_->SetVisible(false);
}
