#include "grid/viewgrid/CommentBox.h"

#include "platform/canvas/Canvas.h"
#include "platform/framework/Mouse.h"
#include "platform/framework/window/PopupWindow.h"

namespace {

constexpr int kMemoBorder = 4;
constexpr TColor kShadow = 0x00808080;

} // namespace

TCustomCommentMemo::TCustomCommentMemo(TComponent* owner) : TCustomControl(owner)
{
    SetColor(clInfoBk);
    SetVisible(false);
    SetTabStop(false);
    SetBounds(0, 0, TCustomCommentBox::MemoWidth, TCustomCommentBox::MemoHeight);
}

void TCustomCommentMemo::SetLinesText(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    const QStringList lines = t.split(u'\n');
    if (Exchange(lines_, lines))
        Invalidate();
}

TRect TCustomCommentMemo::ClientRect() const
{
    return {0, 0, std::max(0, Width() - 2 * kMemoBorder), std::max(0, Height() - 2 * kMemoBorder)};
}

void TCustomCommentMemo::Paint(TCanvas& canvas)
{
    const TRect all{0, 0, Width(), Height()};
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clInfoBk);
    canvas.FillRect(all);
    canvas.Brush().SetColor(clBlack);
    canvas.FrameRect(all);
    canvas.Font().Assign(&Font());
    canvas.Brush().SetStyle(bsClear);
    TRect text{kMemoBorder, kMemoBorder, Width() - kMemoBorder, Height() - kMemoBorder};
    canvas.IntersectClipRect(text);
    canvas.DrawText(lines_.join(u'\n'), text, DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
}

TCustomCommentBox::TCustomCommentBox(TComponent* owner) : TCustomControl(owner)
{
    // Outside the callout, the shadow and the memo the box stays see-through.
    SetSelfPainted(false);
    memo_ = new TCustomCommentMemo(this);
    SetVisible(false);
    SetTabStop(false);
    PopupWindow::PrepareHint(this, true);
    memo_->SetParent(this);
    SetBounds(0, 0, MemoWidth - 2 * kMemoBorder + 1, MemoHeight - 2 * kMemoBorder + 1);
}

void TCustomCommentBox::PlaceMemo()
{
    const TRect want{15, 0, Width() - 4, Height() - 4};
    if (!(memo_->BoundsRect() == want))
        memo_->SetBounds(want.Left, want.Top, want.Width(), want.Height());
}

void TCustomCommentBox::SetVisible(bool visible)
{
    TCustomControl::SetVisible(visible);
    if (memo_)
        memo_->SetVisible(visible);
    if (visible)
        PopupWindow::ShowAt(this, BoundsRect());
    else
        PopupWindow::Hide(this);
}

void TCustomCommentBox::ShowAt(TPoint p)
{
    if (!(p == lastPoint_)) {
        const TPoint cursor = GetCursorPos();
        if (cursor == lastCursor_)
            return;
        SetBounds(p.X, p.Y, Width(), Height());
        lastPoint_ = p;
        lastCursor_ = cursor;
    }
    SetVisible(true);
}

void TCustomCommentBox::Paint(TCanvas& canvas)
{
    PlaceMemo();
    const TRect k{0, 0, Width(), Height()};
    TPen& pen = canvas.Pen();
    pen.SetStyle(psSolid);
    pen.SetMode(pmCopy);
    pen.SetWidth(1);
    pen.SetColor(clBlack);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBlack);
    canvas.MoveTo(k.Left, k.Top + 10);
    canvas.LineTo(k.Left + 15, k.Top);
    const TPoint arrow[] = {{k.Left, k.Top + 10}, {k.Left + 3, k.Top + 5}, {k.Left + 6, k.Top + 10}};
    canvas.Polygon(arrow, 3);
    canvas.Brush().SetColor(kShadow);
    canvas.FillRect({k.Right - 4, k.Top + 4, k.Right, k.Bottom});
    canvas.FillRect({k.Left + 19, k.Bottom - 4, k.Right - 4, k.Bottom});
}
