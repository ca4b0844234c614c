// Painting a view-grid cell from its value and attributes: background and
// head looks with their selection colours and tints, the cell lines, row
// numbers and column letters, images, text, check boxes, rich text and the
// comment marker. The tree column is in ViewGridTree.cpp.

#include <algorithm>
#include <cmath>

#include "grid/core/paint/GridPainter.h"
#include "grid/layout/CellTextWrap.h"
#include "grid/viewgrid/CheckCell.h"
#include "grid/viewgrid/DrawSymbol.h"
#include "grid/richtext/RichSymbolDraw.h"
#include "grid/viewgrid/TavikCustomViewGrid.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/actions/ImageList.h"

namespace {

constexpr TColor kWholeLineSelection = 0x008F3E01;
constexpr TColor kRangeSelection = 0x006FC0FF;
constexpr int kGradientBands = 32;

// Restores the canvas tools however the step ends.
class CanvasStateGuard {
public:
    explicit CanvasStateGuard(TCanvas& canvas) : canvas_(canvas), index_(canvas.SaveState()) {}
    ~CanvasStateGuard() { canvas_.RestoreState(index_); }
    CanvasStateGuard(const CanvasStateGuard&) = delete;
    CanvasStateGuard& operator=(const CanvasStateGuard&) = delete;

private:
    TCanvas& canvas_;
    int index_;
};

int RoundEven(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

unsigned AlignFlags(THorzAlignment a)
{
    switch (a) {
    case haLeftJustify: return DT_LEFT;
    case haRightJustify: return DT_RIGHT;
    case haCenter: return DT_CENTER;
    default: return 0;
    }
}

// 0 left, 1 right, 2 centre: the drawers' alignment.
int DrawerAlignment(THorzAlignment a)
{
    return a == haRightJustify ? 1 : (a == haCenter ? 2 : 0);
}

THorzAlignment DefaultAlignment(TCellDataType type)
{
    switch (type) {
    case cdtNumeric: return haRightJustify;
    case cdtBoolean:
    case cdtPicture:
    case cdtVectorGraph: return haCenter;
    default: return haLeftJustify;
    }
}

void SetLinePen(TPen& pen, TColor color, int width)
{
    pen.SetStyle(psSolid);
    pen.SetMode(pmCopy);
    pen.SetColor(color);
    pen.SetWidth(width);
    if (width > 1) {
        pen.SetEndCap(pecFlat);
        pen.SetJoinStyle(pjsMiter);
    }
}

} // namespace

QString TTavikCustomViewGrid::ColumnLetters(int col)
{
    if (col <= 0 || col >= 256)
        return {};
    if (col <= 25)
        return QString(QChar(u'A' + col - 1));
    // 26 .. 255: "AA" onwards, the first letter changing every 26 columns.
    const int n = col - 26;
    return QString(QChar(u'A' + n / 26)) + QChar(u'A' + n % 26);
}

TColor TTavikCustomViewGrid::HeadSelectionColor(int col, int row, TGridDrawState state)
{
    if (!paintSelection_ || !(state & gdFixed) || FixedCols() >= ColCount() || FixedRows() >= RowCount())
        return clNone;
    const TSelections& sel = Selections();
    if (!sel.TouchesLine(col, row))
        return clNone;
    return sel.CoversLine(col, row) ? kWholeLineSelection : kRangeSelection;
}

TColor TTavikCustomViewGrid::CellColor(int col, int row, TGridDrawState state)
{
    TCellAttrInfo info;
    if (state & gdFixed) {
        if (HasOption(goFixedCellEvent)) {
            GetCellAttrs(col, row, info, CellAttr(caBackColor));
            return info.BackColor;
        }
        if (Flat()) {
            const TColor sel = HeadSelectionColor(col, row, state);
            if (sel != clNone)
                return sel;
        }
        return FixedColor();
    }
    GetCellAttrs(col, row, info, CellAttr(caBackColor));
    TColor color = info.BackColor;
    if (!blendHighlight_)
        return color;
    if (col == Current().X && row == Current().Y)
        return MixColor(clHighlight, color, 15);
    const bool focused = state & gdFocused;
    if ((state & gdSelected) && (!focused || HasOption(goDrawFocusSelected) || HasOption(goRowSelect)))
        return MixColor(clHighlight, color, IsActiveControl() ? 50 : 30);
    return color;
}

void TTavikCustomViewGrid::FillFixedCell(const TRect& r, int col, int row, TGridDrawState state)
{
    TCanvas& canvas = Painter().Canvas();
    const TColor sel = HeadSelectionColor(col, row, state);
    if (sel != clNone) {
        const TColor brush = canvas.Brush().Color();
        canvas.Brush().SetColor(sel);
        canvas.FillRect(r);
        canvas.Brush().SetColor(brush);
        return;
    }
    canvas.FillRect(r);
    if (Flat())
        return;
    // White at the top to the button face at the bottom, in 32 bands.
    const TRect inner{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    if (inner.Right <= inner.Left || inner.Bottom <= inner.Top)
        return;
    const uint32_t face = ColorToRGB(clBtnFace);
    const int fr = GetRValue(face);
    const int fg = GetGValue(face);
    const int fb = GetBValue(face);
    const double f = double(inner.Bottom - inner.Top) / kGradientBands;
    const TColor brush = canvas.Brush().Color();
    for (int n = 0; n < kGradientBands; ++n) {
        const int top = inner.Top + RoundEven(n * f);
        const int bottom = std::min(top + RoundEven(f) + 1, inner.Bottom);
        if (top >= bottom)
            continue;
        auto channel = [&](int c) { return 255 + RoundEven(n * double(c - 255) / kGradientBands); };
        canvas.Brush().SetColor(RGBColor(channel(fr), channel(fg), channel(fb)));
        canvas.FillRect({inner.Left, top, inner.Right, bottom});
    }
    canvas.Brush().SetColor(brush);
}

bool TTavikCustomViewGrid::FocusRectWanted(TGridDrawState state) const
{
    return DefaultDrawing() && (state & gdFocused) && !(HasOption(goEditing) && HasOption(goAlwaysShowEditor)) &&
           !HasOption(goRowSelect);
}

void TTavikCustomViewGrid::PaintBackground(int col, int row, TGridDrawState state, const TRect& rect, bool split)
{
    TCanvas& canvas = Painter().Canvas();
    TCellAttrInfo info;
    GetCellAttrs(col, row, info, FontCellAttrs);
    TFont& font = canvas.Font();
    font.SetName(info.FontName);
    font.SetSize(info.FontSize);
    font.SetColor(info.FontColor);
    font.SetStyle(info.FontStyles);
    canvas.Brush().SetStyle(bsSolid);
    if (split) {
        TRect r = rect;
        r.Bottom -= std::max(0, LineWidths(col, row).Bottom - GridLineWidth());
        r.Right += GridLineWidth();
        canvas.Brush().SetColor(FixedColor());
        FillFixedCell(r, col, row, state);
        return;
    }
    canvas.Brush().SetColor(CellColor(col, row, state));
    if (!Flat() && (state & gdFixed))
        FillFixedCell(rect, col, row, state);
    else
        canvas.FillRect(rect);
    if (FocusRectWanted(state) && HasOption(goDrawFocusSelected)) {
        canvas.Brush().SetColor(clHighlightText);
        TRect r;
        AdjustEditorRect(col, row, r, rect);
        canvas.DrawFocusRect(r);
    }
}

void TTavikCustomViewGrid::PaintLines(int col, int row, TGridDrawState state, const TRect& rect, bool split)
{
    TCanvas& canvas = Painter().Canvas();
    const int glw = GridLineWidth();
    const TRect R{rect.Left, rect.Top, rect.Right + glw, rect.Bottom + glw};
    const bool fixed = col < FixedCols() || row < FixedRows();
    const TCellLineWidths w = LineWidths(col, row);
    TPen& pen = canvas.Pen();
    auto lineColor = [&](int width) {
        if (state & gdFixed)
            return GridLineColor();
        return width > 0 ? BoundLineColor() : GridLineColor();
    };
    {
        const TColor color = lineColor(w.Bottom);
        const int pw = std::max(glw, w.Bottom);
        if (color != Color() && (fixed || HasOption(goHorzLine)) && pw > 0) {
            SetLinePen(pen, color, pw);
            const int y = R.Bottom - (pw + 1) / 2;
            canvas.MoveTo(rect.Left, y);
            canvas.LineTo(R.Right, y);
        }
    }
    if (!split) {
        const TColor color = lineColor(w.Right);
        const int pw = std::max(glw, w.Right);
        if (color != Color() && (fixed || HasOption(goVertLine)) && pw > 0) {
            SetLinePen(pen, color, pw);
            const int x = R.Right - (pw + 1) / 2;
            canvas.MoveTo(x, rect.Top);
            canvas.LineTo(x, R.Bottom);
        }
    }
    if (w.Diagonal > 0 && BoundLineColor() != Color()) {
        SetLinePen(pen, BoundLineColor(), w.Diagonal);
        canvas.MoveTo(rect.Left, rect.Top);
        canvas.LineTo(R.Right, R.Bottom);
    }
    if (w.AntiDiagonal > 0 && BoundLineColor() != Color()) {
        SetLinePen(pen, BoundLineColor(), w.AntiDiagonal);
        canvas.MoveTo(R.Right, rect.Top);
        canvas.LineTo(rect.Left, R.Bottom);
    }
    // Where two thick lines meet at the corner, the joint is filled.
    if (col < ColCount() - 1 && row < RowCount() - 1) {
        const int rightBottom = LineWidths(col + 1, row).Bottom;
        if (rightBottom > 1) {
            const int lowerRight = LineWidths(col, row + 1).Right;
            if (lowerRight > 1) {
                const TColor brush = canvas.Brush().Color();
                const TBrushStyle style = canvas.Brush().Style();
                canvas.Brush().SetStyle(bsSolid);
                canvas.Brush().SetColor(BoundLineColor());
                canvas.FillRect({R.Right - lowerRight, R.Bottom - rightBottom, R.Right, R.Bottom});
                canvas.Brush().SetColor(brush);
                canvas.Brush().SetStyle(style);
            }
        }
    }
}

TRect TTavikCustomViewGrid::ContentRect(int col, int row, const TRect& rect)
{
    TRect c;
    AdjustEditorRect(col, row, c, rect);
    TCellAttrInfo info;
    GetCellAttrs(col, row, info, CellAttrs({caHorzMargin, caVertMargin}));
    c.Left += info.HorzMargin;
    c.Right -= info.HorzMargin;
    const bool treeCell = isTree_ && IsTreeColumn(col) && row >= EditableRow();
    if (!treeCell) {
        c.Top += info.VertMargin;
        c.Bottom -= info.VertMargin;
    }
    return c;
}

void TTavikCustomViewGrid::PaintImage(int col, int row, TRect& c)
{
    TImageList* images = images_.Get();
    if (!images)
        return;
    TCellAttrInfo info;
    GetCellAttrs(col, row, info, CellAttrs({caHorzMargin, caVertMargin, caImageIndex, caImageLayout}));
    if (info.ImageIndex < 0 || info.ImageIndex >= images->Count())
        return;
    const int w = images->Width() + 2 * info.HorzMargin;
    const int h = images->Height() + 2 * info.VertMargin;
    TRect a = c;
    switch (info.ImageLayout) {
    case clImageLeft:
        a.Right = std::min(c.Left + w, c.Right);
        c.Left = a.Right;
        break;
    case clImageRight:
        a.Left = std::max(c.Right - w, c.Left);
        c.Right = a.Left;
        break;
    case clImageTop:
        a.Bottom = std::min(c.Top + h, c.Bottom);
        c.Top = a.Bottom;
        break;
    default:
        a.Top = std::max(c.Bottom - h, c.Top);
        c.Bottom = a.Top;
        break;
    }
    TCanvas& canvas = Painter().Canvas();
    CanvasStateGuard guard(canvas);
    if (a.Right - a.Left < w || a.Bottom - a.Top < h)
        canvas.IntersectClipRect(a);
    const int x = (a.Left + a.Right - w) / 2 + info.HorzMargin;
    const int y = (a.Top + a.Bottom - h) / 2 + info.VertMargin;
    images->Draw(canvas, x, y, info.ImageIndex, true);
}

void TTavikCustomViewGrid::PaintText(int col, int row, const QString& text, const TRect& rect, THorzAlignment align)
{
    if (text.isEmpty())
        return;
    TCanvas& canvas = Painter().Canvas();
    TCellAttrInfo info;
    GetCellAttrs(col, row, info, CellAttr(caHandleSymbol));
    if (info.HandleSymbol) {
        bool handled = false;
        TDrawSymbolManager::Instance().Draw(canvas, SymbolScale(col, row), handled, rect, DrawerAlignment(align),
                                            text);
        if (handled)
            return;
    }
    const int width = rect.Right - rect.Left;
    const int lineHeight = std::max(1, canvas.TextHeight(QStringLiteral("Tg")));
    const int maxLines = std::max(1, (rect.Bottom - rect.Top) / lineHeight + 1);
    const QStringList pieces =
        WrapCellText(text, width, [&canvas](const QString& s) { return canvas.TextWidth(s); }, maxLines);
    if (pieces.isEmpty())
        return;
    TRect r = rect;
    const unsigned flags = align == haDefault ? 0u : (DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | AlignFlags(align));
    canvas.DrawText(pieces.join(u'\n'), r, flags);
}

void TTavikCustomViewGrid::PaintCommentMark(int col, int row, const TRect& rect)
{
    if (!showCommentMark_)
        return;
    TCellAttrInfo info;
    GetCellAttrs(col, row, info, CellAttr(caShowComment));
    if (!info.ShowComment)
        return;
    TCanvas& canvas = Painter().Canvas();
    TPen& pen = canvas.Pen();
    const TColor old = pen.Color();
    SetLinePen(pen, clRed, 1);
    const int w = rect.Right - rect.Left;
    const int n = std::min(rect.Bottom - rect.Top, 5);
    for (int i = 0; i < n; ++i) {
        canvas.MoveTo(rect.Right - 1, rect.Top + i);
        canvas.LineTo(rect.Right - std::min(w, 5 - i) - 1, rect.Top + i);
    }
    pen.SetColor(old);
}

void TTavikCustomViewGrid::PaintFocusRect(TGridDrawState state, const TRect& rect)
{
    if (!FocusRectWanted(state))
        return;
    TCanvas& canvas = Painter().Canvas();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clHighlightText);
    canvas.DrawFocusRect(rect);
}

void TTavikCustomViewGrid::DrawCellDecoration(int col, int row, TGridDrawState state, const TRect& rect)
{
    if (!DefaultDrawing())
        return;
    TCanvas& canvas = Painter().Canvas();
    CanvasStateGuard guard(canvas);
    const bool split = RowStyle(row) == rsSplit;
    PaintBackground(col, row, state, rect, split);
    OnDrawCellBackground(this, canvas, col, row, rect, state);
    PaintLines(col, row, state, rect, split);
    if (DrawCellEvent(col, row, state, rect))
        return;

    const int r0 = EditableRow();
    QString text;
    THorzAlignment align = haCenter;
    TVertAlignment valign = vaCenter;
    TCellAttrInfo info;
    if (HasOption(goShowRowNo) && col == 0 && FixedCols() > 0) {
        if (row >= r0)
            text = QString::number(row - r0 + 1);
    } else if (HasOption(goShowColNo) && row == 0 && FixedRows() > 0 && col > 0) {
        text = ColumnLetters(col);
    } else {
        text = GetCellValue(col, row);
        GetCellAttrs(col, row, info, CellAttrs({caHorzAlign, caVertAlign, caDataType}));
        align = info.HorzAlign == haDefault ? DefaultAlignment(info.DataType) : info.HorzAlign;
        valign = info.VertAlign == vaDefault ? vaCenter : info.VertAlign;
    }

    TRect c = ContentRect(col, row, rect);
    GetCellAttrs(col, row, info, CellAttr(caDataType));
    const TCellDataType type = info.DataType;
    if (isTree_ && IsTreeColumn(col) && row >= r0) {
        PaintTreeCell(col, row, c, text, type);
    } else {
        PaintImage(col, row, c);
        if (c.Left >= c.Right || c.Top >= c.Bottom) {
            PaintFocusRect(state, rect);
            return;
        }
        if (type == cdtBoolean) {
            const TCheckCellState check = CheckCellState(text, HasOption(goAllowCheckBoxGrayed));
            DrawCheckCell(canvas, CheckBoxRect(c), check);
        } else if (type == cdtRichText) {
            if (!richDraw_)
                richDraw_ = std::make_unique<TRichSymbolDraw>(this);
            richDraw_->SetAlignment(static_cast<TRichAlignment>(DrawerAlignment(align)));
            richDraw_->SetFont(&canvas.Font());
            richDraw_->SetBackColor(CellColor(col, row, state));
            richDraw_->SetConvertSymbols(false);
            TRect r = c;
            r.Top -= 2;
            richDraw_->Draw(canvas, text, r);
        } else if (!text.isEmpty()) {
            if (valign == vaBottomJustify || valign == vaCenter) {
                TCellAttrInfo font;
                GetCellAttrs(col, row, font, FontCellAttrs);
                const int h = c.Bottom - c.Top;
                const int th = TextHeight(font, text, c.Right - c.Left);
                if (th < h)
                    c.Top += valign == vaBottomJustify ? h - th : (h - th) / 2;
            }
            canvas.Brush().SetStyle(bsClear);
            canvas.Pen().SetColor(canvas.Font().Color());
            PaintText(col, row, text, c, align);
        }
    }
    PaintCommentMark(col, row, rect);
}
