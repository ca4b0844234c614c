#include "chrome/gradients/ExtGroupBox.h"

#include "platform/canvas/text/AcceleratorText.h"
#include "platform/canvas/Canvas.h"

const std::vector<std::string>& TitlePositionNames()
{
    static const std::vector<std::string> names = {"tpLeft", "tpTop", "tpRight", "tpBottom"};
    return names;
}

const std::vector<std::string>& BorderlineNames()
{
    static const std::vector<std::string> names = {"blLeft", "blTop", "blRight", "blBottom"};
    return names;
}

TCustomExtGroupBox::TCustomExtGroupBox(TComponent* owner)
    : TCustomControl(owner), gradient_(std::make_unique<TGradient>())
{
    SetBounds(0, 0, 185, 105);
    gradient_->OnChangeParameter = TNotifyEvent([this](TObject*) { Invalidate(); });
}

TCustomExtGroupBox::~TCustomExtGroupBox()
{
    gradient_->OnChangeParameter = TNotifyEvent();
}

void TCustomExtGroupBox::SetTitlePosition(TTitlePosition v)
{
    if (v > tpBottom)
        throw EInvalidOperation(QStringLiteral("Title position %1 is out of range").arg(int(v)));
    if (Exchange(titlePosition_, v))
        Invalidate();
}

void TCustomExtGroupBox::SetBorderLines(TBorderlines v)
{
    if (v & ~AllBorderlines)
        throw EInvalidOperation(QStringLiteral("Border lines 0x%1 name lines that do not exist").arg(v, 0, 16));
    if (Exchange(borderLines_, v))
        Invalidate();
}

void TCustomExtGroupBox::SetGradient(const TGradient& value)
{
    gradient_->Assign(&value);
    Invalidate();
}

void TCustomExtGroupBox::SetDrawGradient(bool v)
{
    if (Exchange(drawGradient_, v))
        Invalidate();
}

void TCustomExtGroupBox::SetBorderLineColor(TColor v)
{
    if (Exchange(borderLineColor_, v))
        Invalidate();
}

int TCustomExtGroupBox::TitleHeight() const
{
    TCanvas measure;
    measure.Font().Assign(&Font());
    return measure.TextHeight(QStringLiteral("0")) + 4;
}

void TCustomExtGroupBox::AlignControls(TRect& rect)
{
    rect = ClientRect();
    rect.Top += TitleHeight();
    const int inset = Ctl3D() ? 2 : 1;
    InflateRect(rect, -inset, -inset);
    if (rect.Right < rect.Left)
        rect.Right = rect.Left;
    if (rect.Bottom < rect.Top)
        rect.Bottom = rect.Top;
    TCustomControl::AlignControls(rect);
}

void TCustomExtGroupBox::TextChanged()
{
    TCustomControl::TextChanged();
    Realign();
}

void TCustomExtGroupBox::Ctl3DChanged()
{
    TCustomControl::Ctl3DChanged();
    Invalidate();
    Realign();
}

void TCustomExtGroupBox::FontChanged()
{
    TCustomControl::FontChanged();
    Realign(); // the title height follows the font
}

void TCustomExtGroupBox::Resize()
{
    // Frame and title move with the size, so a partial repaint would leave old lines.
    Invalidate();
    TCustomControl::Resize();
}

QChar TCustomExtGroupBox::Accelerator() const
{
    return AcceleratorOf(Caption());
}

void TCustomExtGroupBox::WndProc(TMessage& message)
{
    if (message.Msg == CM_DIALOGCHAR) {
        const QChar key(static_cast<char16_t>(message.WParam));
        const QChar accel = Accelerator();
        if (!accel.isNull() && accel.toUpper() == key.toUpper() && CanFocus()) {
            TWinControl* first = FindNextControl(nullptr, true, true, false);
            if (!first)
                first = FindNextControl(nullptr, true, false, false);
            if (first)
                first->SetFocus();
            message.Result = 1;
            return;
        }
    }
    TCustomControl::WndProc(message);
}

void TCustomExtGroupBox::DrawLines(TCanvas& canvas, const TRect& b, const TRect& title)
{
    // Clockwise, each line leaving out its last point, so the four close the frame.
    if (borderLines_ & BorderlineBit(blTop)) {
        const bool gap = (title.Left || title.Top || title.Right || title.Bottom) &&
                         (titlePosition_ == tpLeft || titlePosition_ == tpRight);
        if (gap) {
            canvas.MoveTo(b.Left, b.Top);
            canvas.LineTo(title.Left - 1, b.Top);
            canvas.MoveTo(title.Right + 2, b.Top);
            canvas.LineTo(b.Right, b.Top);
        } else {
            canvas.MoveTo(b.Left, b.Top);
            canvas.LineTo(b.Right, b.Top);
        }
    }
    if (borderLines_ & BorderlineBit(blRight)) {
        canvas.MoveTo(b.Right, b.Top);
        canvas.LineTo(b.Right, b.Bottom);
    }
    if (borderLines_ & BorderlineBit(blBottom)) {
        canvas.MoveTo(b.Right, b.Bottom);
        canvas.LineTo(b.Left, b.Bottom);
    }
    if (borderLines_ & BorderlineBit(blLeft)) {
        canvas.MoveTo(b.Left, b.Bottom);
        canvas.LineTo(b.Left, b.Top);
    }
}

void TCustomExtGroupBox::Paint(TCanvas& canvas)
{
    canvas.Font().Assign(&Font());
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    if (drawGradient_)
        gradient_->Draw(&canvas, ClientRect());

    const int th = TitleHeight();
    TRect b{0, th / 2 - 1, ClientWidth() - 1, ClientHeight() - 1};
    if (titlePosition_ == tpTop)
        b.Top += th;

    TRect t{};
    if (!Caption().isEmpty()) {
        TRect extent{};
        canvas.DrawText(Caption(), extent, DT_CALCRECT | DT_SINGLELINE);
        const int tw = extent.Width();
        switch (titlePosition_) {
        case tpLeft: t = {8, 0, 0, th}; break;
        case tpTop: t = {8, 4, 0, th}; break;
        case tpRight: t = {b.Right - tw - 8, 0, 0, th}; break;
        case tpBottom: t = {8, 10, 0, th}; break;
        }
        canvas.DrawText(Caption(), t, DT_CALCRECT | DT_SINGLELINE);
        canvas.Brush().SetStyle(bsClear);
        canvas.DrawText(Caption(), t, DT_SINGLELINE);
    }

    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    if (Ctl3D()) {
        canvas.Pen().SetColor(clBtnHighlight);
        DrawLines(canvas, {b.Left + 1, b.Top + 1, b.Right, b.Bottom}, t);
        b = {b.Left, b.Top, b.Right - 1, b.Bottom - 1};
    }
    canvas.Pen().SetColor(borderLineColor_);
    DrawLines(canvas, b, t);
}
