#include "chrome/gradients/GradientPanel.h"

#include <algorithm>

#include "platform/canvas/Canvas.h"

TGradientPanel::TGradientPanel(TComponent* owner) : TPanel(owner), gradient_(std::make_unique<TGradient>())
{
    gradient_->OnChangeParameter = TNotifyEvent([this](TObject*) { Invalidate(); });
}

TGradientPanel::~TGradientPanel()
{
    gradient_->OnChangeParameter = TNotifyEvent();
}

void TGradientPanel::Assign(const TPersistent* source)
{
    const auto* p = dynamic_cast<const TGradientPanel*>(source);
    if (!p) {
        TPanel::Assign(source);
        return;
    }
    if (p == this)
        return;
    leftMargin_ = p->leftMargin_;
    topMargin_ = p->topMargin_;
    rightMargin_ = p->rightMargin_;
    bottomMargin_ = p->bottomMargin_;
    Realign();
    Invalidate();
    SetColor(p->Color());
    SetCaption(p->Caption());
    SetDrawGradient(p->drawGradient_);
    SetBorderColor(p->borderColor_);
    SetBevelInner(p->BevelInner());
    SetBevelOuter(p->BevelOuter());
    SetBevelWidth(p->BevelWidth());
    SetBorderWidth(p->BorderWidth());
    SetBorderStyle(p->BorderStyle());
    SetGradient(p->Gradient());
}

void TGradientPanel::SetGradient(const TGradient& value)
{
    gradient_->Assign(&value);
    Invalidate();
}

void TGradientPanel::SetMargin(uint8_t& field, int value)
{
    if (value < 0 || value > 255)
        throw EInvalidOperation(QStringLiteral("A margin is 0 to 255 pixels, not %1").arg(value));
    if (!Exchange(field, static_cast<uint8_t>(value)))
        return;
    Realign();
    Invalidate();
}

void TGradientPanel::SetBorderColor(TColor v)
{
    if (Exchange(borderColor_, v))
        Invalidate();
}

void TGradientPanel::SetInnerBorderColor(TColor v)
{
    if (Exchange(innerBorderColor_, v))
        Invalidate();
}

void TGradientPanel::SetDrawGradient(bool v)
{
    if (Exchange(drawGradient_, v))
        Invalidate();
}

namespace {

TRect Shrink(TRect r, int left, int top, int right, int bottom)
{
    r.Left += left;
    r.Top += top;
    r.Right = std::max(r.Left, r.Right - right);
    r.Bottom = std::max(r.Top, r.Bottom - bottom);
    return r;
}

} // namespace

TRect TGradientPanel::GradientRect() const
{
    return Shrink(ClientRect(), leftMargin_, topMargin_, rightMargin_, bottomMargin_);
}

void TGradientPanel::AlignControls(TRect& rect)
{
    rect = Shrink(AlignRect(), leftMargin_, topMargin_, rightMargin_, bottomMargin_);
    TCustomControl::AlignControls(rect);
}

void TGradientPanel::Paint(TCanvas& canvas)
{
    // With a bevel it is a plain panel. Without one the ground below covers
    // everything a plain panel paints, so that is left out.
    if (BevelInner() != bvNone || BevelOuter() != bvNone) {
        TPanel::Paint(canvas);
        return;
    }
    const TRect whole{0, 0, Width(), Height()};
    const TRect area = GradientRect();
    // An opaque gradient over the whole panel leaves no ground to fill.
    const bool covered = drawGradient_ && gradient_->DrawStyle() != gtEllipse && area == whole;
    auto outline = [&](const TRect& r, TColor color) {
        if (BorderWidth() <= 0)
            return;
        canvas.Brush().SetStyle(bsClear);
        canvas.Pen().SetColor(color);
        canvas.Pen().SetWidth(BorderWidth());
        canvas.Rectangle(r);
    };
    canvas.Pen().SetStyle(psSolid);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    if (!covered)
        canvas.FillRect(whole);
    outline(whole, borderColor_);
    if (drawGradient_)
        gradient_->Draw(&canvas, area);
    outline(area, innerBorderColor_);
    canvas.Pen().SetWidth(1);
    PaintCaption(canvas, ClientRect(), 0);
}
