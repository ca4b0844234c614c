#include "platform/controls/Label.h"

#include "platform/canvas/text/AcceleratorText.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/PendingReference.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 65, 17);
}

TLabel::~TLabel() = default;

void TLabel::SetAlignment(TAlignment v)
{
    if (Exchange(alignment_, v))
        Invalidate();
}

void TLabel::SetLayout(TTextLayout v)
{
    if (Exchange(layout_, v))
        Invalidate();
}

void TLabel::SetAutoSize(bool v)
{
    if (Exchange(autoSize_, v))
        AdjustBounds();
}

void TLabel::SetWordWrap(bool v)
{
    if (v == wordWrap_)
        return;
    wordWrap_ = v;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool v)
{
    if (Exchange(transparent_, v))
        Invalidate();
}

void TLabel::SetShowAccelChar(bool v)
{
    if (v == showAccelChar_)
        return;
    showAccelChar_ = v;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetFocusControl(TWinControl* control)
{
    focusControl_ = control;
    pendingFocusControl_.clear();
}

QChar TLabel::Accelerator() const
{
    if (!showAccelChar_)
        return {};
    return AcceleratorOf(Caption());
}

unsigned TLabel::DrawFlags() const
{
    static constexpr unsigned kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    unsigned flags = DT_EXPANDTABS | kAlign[alignment_];
    if (wordWrap_)
        flags |= DT_WORDBREAK;
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    return flags;
}

TSize TLabel::TextSize() const
{
    TCanvas canvas;
    canvas.Font().Assign(&Font());
    TRect r{0, 0, wordWrap_ ? Width() : 0, 0};
    // An empty caption still takes the height of one line.
    const QString text = Caption().isEmpty() ? QStringLiteral(" ") : Caption();
    canvas.DrawText(text, r, DrawFlags() | DT_CALCRECT);
    return {r.Width(), r.Height()};
}

TRect TLabel::TextRect() const
{
    TRect r = ClientRect();
    const TSize size = TextSize();
    if (layout_ != tlTop) {
        const int free = r.Height() - size.cy;
        r.Top += layout_ == tlBottom ? free : free / 2;
    }
    r.Bottom = r.Top + size.cy;
    return r;
}

void TLabel::Paint(TCanvas& canvas)
{
    if (!transparent_) {
        canvas.Brush().SetColor(Color());
        canvas.Brush().SetStyle(bsSolid);
        canvas.FillRect(ClientRect());
    }
    canvas.Brush().SetStyle(bsClear);
    TRect r = TextRect();
    const unsigned flags = DrawFlags();
    if (!Enabled()) {
        // The engraved look of disabled text: a highlight copy one pixel down-right.
        TRect shadow = r;
        OffsetRect(shadow, 1, 1);
        canvas.Font().SetColor(clBtnHighlight);
        canvas.DrawText(Caption(), shadow, flags);
        canvas.Font().SetColor(clBtnShadow);
    }
    canvas.DrawText(Caption(), r, flags);
}

void TLabel::AdjustBounds()
{
    if (!autoSize_ || IsLoading())
        return;
    const TSize size = TextSize();
    int left = Left();
    // A right-aligned label grows to the left so that its text stays in place.
    if (alignment_ == taRightJustify && !wordWrap_)
        left += Width() - size.cx;
    SetBounds(left, Top(), wordWrap_ ? Width() : size.cx, size.cy);
}

void TLabel::TextChanged()
{
    AdjustBounds();
    Invalidate();
}

void TLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    if (auto* control =
            ResolvePending<TWinControl>(*this, pendingFocusControl_, "FocusControl", "control", "a windowed control"))
        focusControl_ = control;
    AdjustBounds();
}

void TLabel::Notification(TComponent* component, bool removing)
{
    if (removing && component == focusControl_)
        focusControl_ = nullptr;
}
