// The view grid's value and attribute queries answered from the cells.

#include "grid/ptgrid/TavikPTGrid.h"

QString TTavikPTGrid::GetCellValue(int col, int row)
{
    QString value;
    if (TPTCell* cell = Cell(col, row))
        value = cell->Value();
    OnQueryCellValue(this, col, row, value);
    return value;
}

void TTavikPTGrid::SetCellValue(int col, int row, const QString& value)
{
    TPTCell* cell = Cell(col, row);
    if (!cell || cell->Value() == value)
        return;
    cell->SetValue(value);
    if (col == levelCol_)
        TreeShapeChanged();
    OnUpdateCellValue(this, col, row, value);
}

void TTavikPTGrid::GetCellAttrs(int col, int row, TCellAttrInfo& info, TCellAttributes attrs)
{
    TPTCell* cell = Cell(col, row);
    if (!cell) {
        TTavikCustomViewGrid::GetCellAttrs(col, row, info, attrs);
        return;
    }
    const TFont& font = cell->FontValue();
    if (HasCellAttr(attrs, caFontName))
        info.FontName = font.Name();
    if (HasCellAttr(attrs, caFontSize))
        info.FontSize = font.Size();
    if (HasCellAttr(attrs, caFontColor))
        info.FontColor = font.Color();
    if (HasCellAttr(attrs, caFontStyles))
        info.FontStyles = font.Style();
    if (HasCellAttr(attrs, caBackColor))
        info.BackColor = cell->Color();
    if (HasCellAttr(attrs, caRightLine))
        info.RightLine = cell->RightBoundLineWidth();
    if (HasCellAttr(attrs, caBottomLine))
        info.BottomLine = cell->BottomBoundLineWidth();
    if (HasCellAttr(attrs, caDiagonal))
        info.Diagonal = cell->DiagonalWidth();
    if (HasCellAttr(attrs, caAntiDiagonal))
        info.AntiDiagonal = cell->AntiDiagonalWidth();
    if (HasCellAttr(attrs, caHorzAlign))
        info.HorzAlign = cell->HorzAlignment();
    if (HasCellAttr(attrs, caVertAlign))
        info.VertAlign = cell->VertAlignment();
    if (HasCellAttr(attrs, caDataType))
        info.DataType = cell->DataType();
    if (HasCellAttr(attrs, caMergeID))
        info.MergeID = cell->MergeID();
    if (HasCellAttr(attrs, caStyle))
        info.Style = cell->Style();
    if (HasCellAttr(attrs, caFormat))
        info.Format = cell->DisplayFormat();
    if (HasCellAttr(attrs, caHorzMargin))
        info.HorzMargin = static_cast<uint8_t>(CellHorzMargin());
    if (HasCellAttr(attrs, caVertMargin))
        info.VertMargin = static_cast<uint8_t>(CellVertMargin());
    if (HasCellAttr(attrs, caHandleSymbol))
        info.HandleSymbol = cell->HandleSymbol();
    if (HasCellAttr(attrs, caImageIndex))
        info.ImageIndex = cell->ImageIndex();
    if (HasCellAttr(attrs, caImageLayout))
        info.ImageLayout = cell->ImageLayout();
    if (HasCellAttr(attrs, caShowComment))
        info.ShowComment = cell->ShowComment();
    if (HasCellAttr(attrs, caComment))
        info.Comment = cell->Comment();
    OnQueryCellAttribute(this, col, row, attrs, info);
}

void TTavikPTGrid::SetCellAttrs(int col, int row, const TCellAttrInfo& info, TCellAttributes attrs)
{
    TPTCell* cell = Cell(col, row);
    if (!cell)
        return;
    if (attrs & FontCellAttrs) {
        // Editing the cell's own font object makes it the cell's font.
        TFont* font = cell->Font();
        if (HasCellAttr(attrs, caFontName))
            font->SetName(info.FontName);
        if (HasCellAttr(attrs, caFontSize))
            font->SetSize(info.FontSize);
        if (HasCellAttr(attrs, caFontColor))
            font->SetColor(info.FontColor);
        if (HasCellAttr(attrs, caFontStyles))
            font->SetStyle(info.FontStyles);
    }
    if (HasCellAttr(attrs, caBackColor))
        cell->SetColor(info.BackColor);
    if (HasCellAttr(attrs, caRightLine))
        cell->SetRightBoundLineWidth(info.RightLine);
    if (HasCellAttr(attrs, caBottomLine))
        cell->SetBottomBoundLineWidth(info.BottomLine);
    if (HasCellAttr(attrs, caDiagonal))
        cell->SetDiagonalWidth(info.Diagonal);
    if (HasCellAttr(attrs, caAntiDiagonal))
        cell->SetAntiDiagonalWidth(info.AntiDiagonal);
    if (HasCellAttr(attrs, caHorzAlign))
        cell->SetHorzAlignment(info.HorzAlign);
    if (HasCellAttr(attrs, caVertAlign))
        cell->SetVertAlignment(info.VertAlign);
    if (HasCellAttr(attrs, caDataType))
        cell->SetDataType(info.DataType);
    if (HasCellAttr(attrs, caMergeID))
        cell->SetMergeID(info.MergeID);
    if (HasCellAttr(attrs, caStyle))
        cell->SetStyle(info.Style);
    if (HasCellAttr(attrs, caFormat))
        cell->SetDisplayFormat(info.Format);
    OnUpdateCellAttribute(this, col, row, attrs, info);
}

// The three below run for every cell during layout and painting: no events.
int TTavikPTGrid::MergeId(int col, int row)
{
    if (row < 0 || row >= RowCount() || row >= rows_->Count() || col < 0)
        return 0;
    TPTCells* cells = rows_->Items(row)->Cells();
    return col < cells->Count() ? static_cast<int>(cells->Items(col)->MergeID()) : 0;
}

void TTavikPTGrid::SetMergeId(int col, int row, int id)
{
    if (row < 0 || row >= RowCount() || row >= rows_->Count() || col < 0)
        return;
    TPTCells* cells = rows_->Items(row)->Cells();
    if (col < cells->Count())
        cells->Items(col)->SetMergeID(static_cast<uint32_t>(id));
}

TRowStyle TTavikPTGrid::RowStyle(int row)
{
    if (row < 0 || row >= RowCount() || row >= rows_->Count())
        return rsNormal;
    return rows_->Items(row)->RowStyle();
}
