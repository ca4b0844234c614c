#include "chrome/checkboxes/SkinTextObject.h"

#include <algorithm>
#include <climits>

#include "platform/canvas/text/AcceleratorText.h"
#include "platform/canvas/Canvas.h"

namespace {

// Margins are free 32-bit values; coordinates must not wrap around.
int Clamped(int64_t v)
{
    return static_cast<int>(std::clamp<int64_t>(v, INT_MIN / 2, INT_MAX / 2));
}

} // namespace

// ---- TSkinControlMargins ------------------------------------------------------

void TSkinControlMargins::Assign(const TPersistent* source)
{
    if (auto* m = dynamic_cast<const TSkinControlMargins*>(source)) {
        if (m == this)
            return;
        const bool changed = Exchange(left_, m->left_) | Exchange(top_, m->top_) | Exchange(right_, m->right_) |
                             Exchange(bottom_, m->bottom_);
        if (changed)
            OnChange(this);
        return;
    }
    TPersistent::Assign(source);
}

void TSkinControlMargins::Set(int& field, int v)
{
    if (Exchange(field, v))
        OnChange(this);
}

void TSkinControlMargins::SetLeft(int v) { Set(left_, v); }
void TSkinControlMargins::SetTop(int v) { Set(top_, v); }
void TSkinControlMargins::SetRight(int v) { Set(right_, v); }
void TSkinControlMargins::SetBottom(int v) { Set(bottom_, v); }

// ---- SkinLayout -----------------------------------------------------------------

namespace SkinLayout {

TRect Deflate(const TRect& r, const TRect& insets)
{
    return {Clamped(int64_t(r.Left) + insets.Left), Clamped(int64_t(r.Top) + insets.Top),
            Clamped(int64_t(r.Right) - insets.Right), Clamped(int64_t(r.Bottom) - insets.Bottom)};
}

TRect BoxTextMargins(bool boxOnRight)
{
    const int boxSide = TextMargin + BoxSize + BoxGap;
    return boxOnRight ? TRect{TextMargin, TextMargin, boxSide, TextMargin}
                      : TRect{boxSide, TextMargin, TextMargin, TextMargin};
}

TRect CenterVertically(const TRect& r, int textHeight)
{
    const int top = Clamped((int64_t(r.Top) + r.Bottom - textHeight) / 2);
    return {r.Left, top, r.Right, Clamped(int64_t(top) + textHeight)};
}

TRect BoxRect(const TRect& inner, bool boxOnRight)
{
    const int top = Clamped((int64_t(inner.Top) + inner.Bottom - BoxSize + 1) / 2);
    const int left = boxOnRight ? Clamped(int64_t(inner.Right) - BoxSize) : inner.Left;
    return {left, top, left + BoxSize, top + BoxSize};
}

int AutoHeight(int textHeight, const TRect& textMargins, const TRect& margins, int minimum)
{
    const int64_t needed = int64_t(textHeight) + textMargins.Top + textMargins.Bottom + margins.Top + margins.Bottom;
    return static_cast<int>(std::clamp<int64_t>(std::max<int64_t>(needed, minimum), 0, 32767));
}

TRect FocusRect(const TRect& inner, const TRect& measuredText)
{
    return {Clamped(int64_t(measuredText.Left) - 2), inner.Top, Clamped(int64_t(measuredText.Right) + 2),
            inner.Bottom};
}

TRect HitRect(const TRect& inner, const TRect& measuredText, bool boxOnRight)
{
    if (boxOnRight)
        return {Clamped(int64_t(measuredText.Left) - 2), inner.Top, inner.Right, inner.Bottom};
    return {inner.Left, inner.Top, Clamped(int64_t(measuredText.Right) + 2), inner.Bottom};
}

unsigned DrawFlags(TLeftRight alignment, TTextWrapping wrapping, bool showAccelChar, bool rightToLeft)
{
    unsigned flags = DT_EXPANDTABS;
    // Right-to-left reading mirrors the alignment.
    if ((alignment == taRightJustify) != rightToLeft)
        flags |= DT_RIGHT;
    if (rightToLeft)
        flags |= DT_RTLREADING;
    switch (wrapping) {
    case twNone: flags |= DT_SINGLELINE; break;
    case twEndEllipsis: flags |= DT_SINGLELINE | DT_END_ELLIPSIS; break;
    case twPathEllipsis: flags |= DT_SINGLELINE | DT_PATH_ELLIPSIS; break;
    case twWrap: flags |= DT_WORDBREAK; break;
    }
    if (!showAccelChar)
        flags |= DT_NOPREFIX;
    return flags;
}

} // namespace SkinLayout

// ---- TSkinTextObject --------------------------------------------------------------

TSkinTextObject::TSkinTextObject(TComponent* owner) : TSkinPanelObject(owner)
{
    margins_.OnChange = TNotifyEvent([this](TObject*) { Changed(); });
    SetDoubleBuffered(true);
    SetBounds(Left(), Top(), 100, SkinLayout::MinBoxHeight);
}

TSkinTextObject::~TSkinTextObject() = default;

void TSkinTextObject::SetAlignment(TLeftRight v)
{
    if (v != taLeftJustify && v != taRightJustify)
        return;
    if (Exchange(alignment_, v))
        Invalidate();
}

void TSkinTextObject::SetWrapping(TTextWrapping v)
{
    if (v > twWrap)
        return;
    if (Exchange(wrapping_, v))
        Changed();
}

void TSkinTextObject::SetShowAccelChar(bool v)
{
    if (Exchange(showAccelChar_, v))
        Changed();
}

void TSkinTextObject::SetAutoSize(bool v)
{
    if (Exchange(autoSize_, v))
        AdjustHeight();
}

void TSkinTextObject::Changed()
{
    Invalidate();
    AdjustHeight();
}

TRect TSkinTextObject::InnerRect() const
{
    return SkinLayout::Deflate(ClientRect(), margins_.Insets());
}

TRect TSkinTextObject::TextRect() const
{
    return SkinLayout::Deflate(InnerRect(), TextMargins());
}

unsigned TSkinTextObject::TextFlags() const
{
    return SkinLayout::DrawFlags(EffectiveAlignment(), wrapping_, showAccelChar_);
}

QString TSkinTextObject::MeasuredText() const
{
    const QString text = DisplayText();
    return text.isEmpty() || text == QStringLiteral("&") ? QStringLiteral(" ") : text;
}

int TSkinTextObject::MeasureHeight(TCanvas& canvas, TRect rect) const
{
    canvas.DrawText(MeasuredText(), rect, TextFlags() | DT_CALCRECT);
    return rect.Height();
}

TRect TSkinTextObject::MeasuredTextRect() const
{
    TCanvas canvas;
    canvas.Font().Assign(&Font());
    const TRect tr = TextRect();
    TRect calc = tr;
    canvas.DrawText(MeasuredText(), calc, TextFlags() | DT_CALCRECT);
    const int width = std::clamp(calc.Width(), 0, std::max(0, tr.Width()));
    TRect r = SkinLayout::CenterVertically(tr, calc.Height());
    if (EffectiveAlignment() == taRightJustify)
        r.Left = r.Right - width;
    else
        r.Right = r.Left + width;
    return r;
}

QChar TSkinTextObject::Accelerator() const
{
    if (!showAccelChar_)
        return {};
    return AcceleratorOf(Caption());
}

bool TSkinTextObject::IsOwnAccelerator(QChar key) const
{
    const QChar accel = Accelerator();
    return !accel.isNull() && accel.toUpper() == key.toUpper() && Enabled() && Visible() && CanFocus();
}

int TSkinTextObject::DesiredHeight() const
{
    TCanvas canvas;
    canvas.Font().Assign(&Font());
    const int textHeight = MeasureHeight(canvas, TextRect());
    return SkinLayout::AutoHeight(textHeight, TextMargins(), margins_.Insets(), MinimumHeight());
}

void TSkinTextObject::AdjustHeight()
{
    if (!autoSize_ || !HasWidget() || IsLoading() || adjustingHeight_)
        return;
    adjustingHeight_ = true;
    try {
        SetBounds(Left(), Top(), Width(), DesiredHeight());
    } catch (...) {
        adjustingHeight_ = false;
        throw;
    }
    adjustingHeight_ = false;
}

void TSkinTextObject::SetParent(TWinControl* parent)
{
    TSkinPanelObject::SetParent(parent);
    AdjustHeight();
}

void TSkinTextObject::DrawCaption(TCanvas& canvas, const QString& text, TRect& rect, unsigned flags)
{
    canvas.DrawText(text, rect, flags);
}

void TSkinTextObject::PaintText(TCanvas& canvas)
{
    canvas.Font().Assign(&Font());
    AdjustFont(canvas);
    const TRect measured = MeasuredTextRect();
    if (Focused()) {
        const TRect focus = FocusRectFor(measured);
        if (!focus.IsEmpty()) {
            const TColor ink = canvas.Font().Color();
            canvas.Brush().SetStyle(bsSolid);
            canvas.Brush().SetColor(clWhite);
            canvas.Font().SetColor(clBlack);
            canvas.DrawFocusRect(focus);
            canvas.Font().SetColor(ink);
        }
    }
    const TRect tr = TextRect();
    TRect r{tr.Left, measured.Top, tr.Right, measured.Bottom};
    const unsigned flags = TextFlags();
    canvas.Brush().SetStyle(bsClear);
    if (!Enabled()) {
        // The engraved look: a highlight copy one pixel down-right, the shadow on top.
        TRect shadow = r;
        OffsetRect(shadow, 1, 1);
        canvas.Font().SetColor(clBtnHighlight);
        DrawCaption(canvas, DisplayText(), shadow, flags);
        canvas.Font().SetColor(clBtnShadow);
    }
    DrawCaption(canvas, DisplayText(), r, flags);
}

void TSkinTextObject::Paint(TCanvas& canvas)
{
    TSkinPanelObject::Paint(canvas);
    PaintText(canvas);
}

void TSkinTextObject::TextChanged()
{
    Changed();
}

void TSkinTextObject::FontChanged()
{
    TSkinPanelObject::FontChanged();
    AdjustHeight();
}

void TSkinTextObject::Loaded()
{
    TSkinPanelObject::Loaded();
    AdjustHeight();
}
