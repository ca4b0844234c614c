#include "platform/controls/Splitter.h"

#include <QWidget>

#include "platform/canvas/Canvas.h"

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 3, 100);
    SetAlign(alLeft);
    SetCursor(crHSplit);
}

TSplitter::~TSplitter()
{
    delete feedback_;
}

void TSplitter::SetMinSize(int v)
{
    if (v < 1)
        throw EInvalidOperation(QStringLiteral("MinSize must be at least 1, not %1").arg(v));
    minSize_ = v;
}

void TSplitter::SetBeveled(bool v)
{
    if (Exchange(beveled_, v))
        Invalidate();
}

void TSplitter::UpdateCursor()
{
    if (Cursor() == crHSplit || Cursor() == crVSplit)
        SetCursor(Vertical() ? crHSplit : crVSplit);
}

void TSplitter::Resize()
{
    UpdateCursor();
    TGraphicControl::Resize();
}

void TSplitter::Loaded()
{
    TGraphicControl::Loaded();
    UpdateCursor();
}

void TSplitter::Paint(TCanvas& canvas)
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(ClientRect());
    if (!beveled_)
        return;
    TRect r = ClientRect();
    if (Vertical())
        InflateRect(r, -1, 2);
    else
        InflateRect(r, 2, -1);
    OffsetRect(r, 1, 1);
    canvas.Brush().SetColor(clBtnHighlight);
    canvas.FrameRect(r);
    OffsetRect(r, -2, -2);
    canvas.Brush().SetColor(clBtnShadow);
    canvas.FrameRect(r);
}

TControl* TSplitter::FindControl() const
{
    TWinControl* parent = Parent();
    if (!parent)
        return nullptr;
    TPoint p;
    switch (Align()) {
    case alLeft: p = {Left() - 1, Top()}; break;
    case alRight: p = {Left() + Width(), Top()}; break;
    case alTop: p = {Left(), Top() - 1}; break;
    case alBottom: p = {Left(), Top() + Height()}; break;
    default: return nullptr;
    }
    for (TControl* c : parent->ControlList()) {
        if (c == this || !c->Visible() || !c->Enabled())
            continue;
        TRect r = c->BoundsRect();
        // A neighbour squeezed to nothing can still be pulled out again.
        if (r.Width() == 0) {
            if (Align() == alLeft || Align() == alTop)
                --r.Left;
            else
                ++r.Right;
        }
        if (r.Height() == 0) {
            if (Align() == alLeft || Align() == alTop)
                --r.Top;
            else
                ++r.Bottom;
        }
        if (r.Contains(p))
            return c;
    }
    return nullptr;
}

int TSplitter::SizeFor(TPoint pos) const
{
    const int dx = pos.X - downPos_.X, dy = pos.Y - downPos_.Y;
    int s = startSize_;
    switch (Align()) {
    case alLeft: s += dx; break;
    case alRight: s -= dx; break;
    case alTop: s += dy; break;
    case alBottom: s -= dy; break;
    default: break;
    }
    return std::clamp(s, std::min(minSize_, maxSize_), maxSize_);
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    UpdateCursor();
    if (button != mbLeft || Dragging())
        return;
    TControl* c = FindControl();
    if (!c)
        return;
    TWinControl* parent = Parent();
    // The neighbour may take what the other aligned controls leave, less MinSize
    // for the control on the far side.
    int max = (Vertical() ? parent->ClientWidth() : parent->ClientHeight()) - minSize_;
    for (TControl* other : parent->ControlList()) {
        if (!other->Visible())
            continue;
        if (Vertical() && (other->Align() == alLeft || other->Align() == alRight))
            max -= other->Width();
        else if (!Vertical() && (other->Align() == alTop || other->Align() == alBottom))
            max -= other->Height();
    }
    startSize_ = Vertical() ? c->Width() : c->Height();
    maxSize_ = std::max(0, max + startSize_);
    control_ = c;
    downPos_ = {Left() + x, Top() + y};
    newSize_ = startSize_;
    SetCapture();
    if (resizeStyle_ == rsLine || resizeStyle_ == rsPattern)
        ShowFeedback(newSize_);
}

void TSplitter::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (!Dragging())
        return;
    const int size = SizeFor({Left() + x, Top() + y});
    if (size == newSize_)
        return;
    newSize_ = size;
    if (resizeStyle_ == rsUpdate)
        ApplySize(size);
    else if (resizeStyle_ != rsNone)
        ShowFeedback(size);
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (Dragging() && button == mbLeft) {
        newSize_ = SizeFor({Left() + x, Top() + y});
        EndDrag(true);
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TSplitter::WndProc(TMessage& message)
{
    // Losing the mouse ends a drag without changing anything.
    if (message.Msg == WM_CAPTURECHANGED && Dragging())
        EndDrag(false);
    TGraphicControl::WndProc(message);
}

void TSplitter::EndDrag(bool apply)
{
    TControl* c = control_;
    control_ = nullptr;
    if (feedback_)
        feedback_->hide();
    if (MouseCapture())
        ReleaseCapture();
    if (!apply || !c)
        return;
    const int before = Vertical() ? c->Width() : c->Height();
    control_ = c;
    ApplySize(newSize_);
    control_ = nullptr;
    if (before != newSize_ || resizeStyle_ == rsUpdate)
        OnMoved(this);
}

void TSplitter::ApplySize(int size)
{
    if (!control_)
        return;
    switch (Align()) {
    case alLeft: control_->SetWidth(size); break;
    case alRight:
        control_->SetBounds(control_->Left() + control_->Width() - size, control_->Top(), size, control_->Height());
        break;
    case alTop: control_->SetHeight(size); break;
    case alBottom:
        control_->SetBounds(control_->Left(), control_->Top() + control_->Height() - size, control_->Width(), size);
        break;
    default: break;
    }
    if (Parent())
        Parent()->Realign();
}

void TSplitter::ShowFeedback(int size)
{
    TWinControl* parent = Parent();
    if (!parent || !control_)
        return;
    if (!feedback_) {
        // A dark bar over the parent shows where the split will land.
        feedback_ = new QWidget(parent->Widget());
        feedback_->setAttribute(Qt::WA_TransparentForMouseEvents);
        feedback_->setAutoFillBackground(true);
        QPalette pal = feedback_->palette();
        pal.setColor(QPalette::Window, resizeStyle_ == rsPattern ? QColor(96, 96, 96) : QColor(0, 0, 0));
        feedback_->setPalette(pal);
    }
    const int delta = size - startSize_;
    int x = Left(), y = Top();
    switch (Align()) {
    case alLeft: x += delta; break;
    case alRight: x -= delta; break;
    case alTop: y += delta; break;
    case alBottom: y -= delta; break;
    default: break;
    }
    feedback_->setGeometry(x, y, Width(), Height());
    feedback_->show();
    feedback_->raise();
}
