#include "platform/framework/Control.h"

#include <QCursor>
#include <QPixmap>
#include <QHash>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>

#include "platform/base/AppContext.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/ControlSurface.h"
#include "platform/framework/ControlWidget.h"
#include "platform/canvas/DevicePicture.h"
#include "platform/framework/Form.h"
#include "platform/framework/WinControl.h"
#include "platform/framework/window/WindowLayer.h"

namespace {

// The program's own cursors: a picture and its hot spot, made into a cursor
// when shown (which needs the windowing system).
struct ProgramCursor {
    QImage image;
    TPoint hotSpot;
};

struct PointerState {
    TControl* capture = nullptr;
    QHash<int, ProgramCursor> cursors;
};

PointerState& Pointer()
{
    return AppContext().State<PointerState>();
}

QHash<int, ProgramCursor>& ProgramCursors()
{
    return Pointer().cursors;
}

QCursor MapCursor(TCursor c)
{
    switch (c) {
    case crNone: return QCursor(Qt::BlankCursor);
    case crCross: return QCursor(Qt::CrossCursor);
    case crIBeam: return QCursor(Qt::IBeamCursor);
    case crSizeNESW: return QCursor(Qt::SizeBDiagCursor);
    case crSizeNS: return QCursor(Qt::SizeVerCursor);
    case crSizeNWSE: return QCursor(Qt::SizeFDiagCursor);
    case crSizeWE: return QCursor(Qt::SizeHorCursor);
    case crUpArrow: return QCursor(Qt::UpArrowCursor);
    case crHourGlass:
    case crSQLWait: return QCursor(Qt::WaitCursor);
    case crDrag:
    case crMultiDrag: return QCursor(Qt::DragCopyCursor);
    case crNoDrop:
    case crNo: return QCursor(Qt::ForbiddenCursor);
    case crHSplit: return QCursor(Qt::SplitHCursor);
    case crVSplit: return QCursor(Qt::SplitVCursor);
    case crAppStart: return QCursor(Qt::BusyCursor);
    case crHelp: return QCursor(Qt::WhatsThisCursor);
    case crHandPoint: return QCursor(Qt::PointingHandCursor);
    case crSizeAll: return QCursor(Qt::SizeAllCursor);
    default: break;
    }
    auto it = ProgramCursors().find(c);
    if (it == ProgramCursors().end())
        return QCursor(Qt::ArrowCursor);
    return QCursor(QPixmap::fromImage(it->image), it->hotSpot.X, it->hotSpot.Y);
}

} // namespace

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>())
{
    font_->OnChange = TNotifyEvent([this](TObject*) {
        // An edit of the font from outside means the control has its own font now.
        parentFont_ = false;
        FontChanged();
    });
}

TControl::~TControl()
{
    MarkDestroying();
    if (Pointer().capture == this)
        ReleaseCapture();
    if (parent_)
        SetParent(nullptr);
    if (auto* cw = dynamic_cast<ControlWidget*>(widget_))
        cw->Detach();
    WindowLayer::ForgetControl(widget_);
    delete widget_;
    widget_ = nullptr;
}

QWidget* TControl::Widget()
{
    if (!widget_) {
        widget_ = CreateWidget();
        WindowLayer::AttachControl(widget_, this);
        SyncWidget();
    }
    return widget_;
}

QWidget* TControl::CreateWidget()
{
    return new ControlWidget(this);
}

void TControl::SyncWidget()
{
    if (!widget_)
        return;
    if (parent_)
        widget_->setParent(parent_->Widget());
    widget_->setGeometry(WidgetGeometry());
    widget_->setEnabled(enabled_);
    // An opaque picture covers every pixel of the window, so what lies under it
    // need not be drawn (a panel covered by its page control paints nothing).
    if (surface_ && surface_->Opaque() && dynamic_cast<ControlWidget*>(widget_))
        widget_->setAttribute(Qt::WA_OpaquePaintEvent);
    if (cursor_ != crDefault)
        widget_->setCursor(MapCursor(cursor_));
    ApplyWidgetFont();
    ApplyWidgetColor();
    if (parent_)
        widget_->setVisible(visible_);
}

QFont TControl::WidgetFont() const
{
    return font_->ToQFont();
}

void TControl::ApplyWidgetFont()
{
    if (widget_)
        widget_->setFont(WidgetFont());
}

void TControl::ApplyWidgetColor()
{
    if (!widget_ || SelfPainted())
        return;
    QPalette pal = widget_->palette();
    pal.setColor(QPalette::Window, ToQColor(color_));
    pal.setColor(QPalette::WindowText, ToQColor(font_->Color()));
    widget_->setPalette(pal);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_)
        return;
    if (parent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (parent_)
        parent_->RemoveControl(this);
    TWinControl* old = parent_;
    parent_ = parent;
    if (parent_) {
        parent_->InsertControl(this);
        if (parentFont_)
            ParentFontChanged();
        if (parentColor_)
            ParentColorChanged();
        Widget(); // the window exists while the control has a parent
        SyncWidget();
        RealignParent();
    } else if (widget_ && !IsDestroying()) {
        widget_->hide();
        widget_->setParent(nullptr);
    }
    if (old && !old->IsDestroying() && align_ != alNone)
        old->Realign();
}

TCustomForm* TControl::ParentForm() const
{
    const TControl* c = this;
    while (c->parent_)
        c = c->parent_;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    const TRect nb = Bounds(left, top, width, height);
    if (nb == bounds_)
        return;
    const bool resized = nb.Width() != bounds_.Width() || nb.Height() != bounds_.Height();
    bounds_ = nb;
    if (widget_)
        widget_->setGeometry(WidgetGeometry());
    if (resized && surface_) {
        SyncSurface();
        if (widget_)
            widget_->update();
    }
    BoundsChanged();
    if (resized)
        Resize();
    RealignParent();
}

QRect TControl::WidgetGeometry() const
{
    const TRect area = parent_ ? parent_->ClientAreaInWindow() : TRect{};
    return QRect(bounds_.Left + area.Left, bounds_.Top + area.Top, std::max(0, Width()), std::max(0, Height()));
}

TPoint TControl::ClientOrigin() const
{
    const TRect area = ClientAreaInWindow();
    return {area.Left, area.Top};
}

TPoint TControl::ClientToScreen(TPoint p) const
{
    if (!widget_)
        return p;
    const TPoint o = ClientOrigin();
    const QPoint g = widget_->mapToGlobal(QPoint(p.X + o.X, p.Y + o.Y));
    return {g.x(), g.y()};
}

TPoint TControl::ScreenToClient(TPoint p) const
{
    if (!widget_)
        return p;
    const TPoint o = ClientOrigin();
    const QPoint l = widget_->mapFromGlobal(QPoint(p.X, p.Y));
    return {l.x() - o.X, l.y() - o.Y};
}

void TControl::SetAlign(TAlign align)
{
    if (align == align_)
        return;
    align_ = align;
    RealignParent();
}

void TControl::RealignParent()
{
    if (parent_ && align_ != alNone && !parent_->IsLoading())
        parent_->Realign(this);
}

void TControl::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    if (widget_ && parent_)
        widget_->setVisible(visible);
    VisibleChanged();
    if (parent_ && align_ != alNone && !parent_->IsLoading())
        parent_->Realign(this);
}

bool TControl::Showing() const
{
    if (!visible_)
        return false;
    if (!parent_)
        return widget_ && widget_->isVisible();
    return parent_->Showing();
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (widget_)
        widget_->setEnabled(enabled);
    EnabledChanged();
}

void TControl::EnabledChanged()
{
    Invalidate();
}

void TControl::VisibleChanged() {}

void TControl::SetText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    TextChanged();
}

void TControl::TextChanged()
{
    Invalidate();
}

void TControl::SetParentFont(bool v)
{
    if (v == parentFont_)
        return;
    parentFont_ = v;
    if (v && parent_)
        ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    if (!parentFont_ || !parent_)
        return;
    font_->Assign(&parent_->Font());
    parentFont_ = true;
}

void TControl::FontChanged()
{
    ApplyWidgetFont();
    ApplyWidgetColor();
    Invalidate();
}

void TControl::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    parentColor_ = false;
    ColorChanged();
}

void TControl::SetParentColor(bool v)
{
    if (v == parentColor_)
        return;
    parentColor_ = v;
    if (v && parent_)
        ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    if (!parentColor_ || !parent_)
        return;
    SetColor(parent_->Color());
    parentColor_ = true;
}

void TControl::ColorChanged()
{
    ApplyWidgetColor();
    Invalidate();
}

void TControl::SetCursor(TCursor cursor)
{
    if (cursor == cursor_)
        return;
    cursor_ = cursor;
    if (widget_) {
        if (cursor == crDefault)
            widget_->unsetCursor();
        else
            widget_->setCursor(MapCursor(cursor));
    }
}

void TControl::SetWidgetCursor(TCursor cursor)
{
    if (!widget_)
        return;
    if (cursor == crDefault)
        cursor = cursor_;
    if (cursor == crDefault)
        widget_->unsetCursor();
    else
        widget_->setCursor(MapCursor(cursor));
}

void TControl::RegisterCursor(TCursor id, const QImage& image, TPoint hotSpot)
{
    ProgramCursors().insert(id, ProgramCursor{image, hotSpot});
}

void TControl::RegisterCursor(TCursor id, const TBitmap& image, TPoint hotSpot)
{
    RegisterCursor(id, image.Image(), hotSpot);
}

void TControl::BringToFront()
{
    if (widget_)
        widget_->raise();
}

LRESULT TControl::Perform(unsigned msg, WPARAM wparam, LPARAM lparam)
{
    TMessage m{msg, wparam, lparam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_MOUSEENTER: MouseEnter(); break;
    case CM_MOUSELEAVE: MouseLeave(); break;
    default: break;
    }
}

void TControl::Invalidate()
{
    const TRect area = ClientAreaInWindow();
    InvalidateRect({0, 0, area.Width(), area.Height()});
}

void TControl::InvalidateRect(const TRect& rect)
{
    if (recordInvalidations_)
        invalidations_.push_back(rect);
    if (rect.IsEmpty())
        return;
    const QRect r(rect.Left, rect.Top, rect.Width(), rect.Height());
    if (surface_)
        surface_->Invalidate(r);
    if (widget_) {
        const TPoint o = ClientOrigin();
        widget_->update(r.translated(o.X, o.Y));
    }
}

const QImage* TControl::Surface() const
{
    return surface_ ? &surface_->Image() : nullptr;
}

void TControl::Update()
{
    PaintInvalid();
}

int TControl::PaintScale() const
{
    if (fixedScale_ > 0)
        return fixedScale_;
    return widget_ ? PaintScaleOf(widget_) : 1;
}

void TControl::SetPaintScale(int scale)
{
    scale = scale <= 0 ? 0 : std::min(scale, TCanvas::kMaxScale);
    if (scale == fixedScale_)
        return;
    fixedScale_ = scale;
    if (surface_) {
        SyncSurface();
        if (widget_)
            widget_->update();
    }
}

void TControl::SyncSurface()
{
    const TRect area = ClientAreaInWindow();
    surface_->Resize(std::max(0, area.Width()), std::max(0, area.Height()), PaintScale());
}

void TControl::SetSelfPainted(bool opaque)
{
    surface_ = std::make_unique<ControlSurface>(opaque);
    SyncSurface();
}

void TControl::PaintInvalid()
{
    if (!surface_)
        return;
    SyncSurface();
    PaintSurface(surface_->TakeDirty(QRegion()));
}

void TControl::PaintSurface(const QRegion& dirty)
{
    if (dirty.isEmpty())
        return;
    QImage& image = surface_->Image();
    const int k = surface_->Scale();
    if (!surface_->Opaque()) {
        QPainter clear(&image);
        clear.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& r : dirty)
            clear.fillRect(QRect(r.topLeft() * k, r.size() * k), Qt::transparent);
    }
    TCanvas canvas(image);
    canvas.SetScale(k);
    canvas.SelectClipRegion(dirty);
    canvas.Font().Assign(font_.get());
    if (surface_->Opaque()) {
        canvas.Brush().SetColor(color_);
        canvas.FillRect({0, 0, Width(), Height()});
    }
    Paint(canvas);
    surface_->MarkPainted(dirty);
}

void TControl::PaintEventHandler(QPaintEvent* event)
{
    if (!surface_)
        return;
    SyncSurface();
    const TPoint o = ClientOrigin();
    const QRegion clientPart = event->region().translated(-o.X, -o.Y);
    // Only what the window shows now: the parts under opaque children (most
    // of a form or a panel) stay invalid until the window asks for them.
    const QRegion dirty = surface_->TakeDirty(clientPart);
    const QRegion shown = dirty & clientPart;
    surface_->Invalidate(dirty - shown);
    PaintSurface(shown);
    QPainter p(widget_);
    const int k = surface_->Scale();
    const TRect area = ClientAreaInWindow();
    const QRect client(area.Left, area.Top, area.Width(), area.Height());
    auto scaled = [k](const QRect& r) { return QRect(r.topLeft() * k, r.size() * k); };
    if (client != widget_->rect()) {
        QImage window = NewDevicePicture(widget_->size(), k);
        window.fill(Qt::black);
        PaintNonClient(window, k);
        for (const QRect& r : event->region() - QRegion(client))
            DrawDevicePicture(p, r, window, scaled(r), k);
    }
    for (const QRect& r : event->region() & QRegion(client))
        DrawDevicePicture(p, r, surface_->Image(), scaled(r.translated(-o.X, -o.Y)), k);
}

void TControl::ScrollSurface(int dx, int dy, const TRect& scroll, const TRect& clip)
{
    if (!surface_)
        return;
    SyncSurface();
    QRegion uncovered;
    const QRect s(scroll.Left, scroll.Top, scroll.Width(), scroll.Height());
    const QRect c(clip.Left, clip.Top, clip.Width(), clip.Height());
    surface_->Scroll(dx, dy, s, c, uncovered);
    if (recordInvalidations_)
        for (const QRect& r : uncovered)
            invalidations_.push_back(Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1));
    if (widget_) {
        const TPoint o = ClientOrigin();
        widget_->update((s & c).translated(o.X, o.Y));
    }
}

std::unique_ptr<TCanvas> TControl::SurfaceCanvas()
{
    if (!surface_)
        return nullptr;
    SyncSurface();
    if (widget_)
        widget_->update();
    auto canvas = std::make_unique<TCanvas>(surface_->Image());
    canvas->SetScale(surface_->Scale());
    canvas->Font().Assign(font_.get());
    return canvas;
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    OnMouseMove(this, shift, x, y);
}

bool TControl::OwnsMousePoint(const QMouseEvent* event) const
{
    // A press that began here keeps the mouse until its release.
    return pressedInside_ ||
           HitTest(static_cast<int>(event->position().x()), static_cast<int>(event->position().y()));
}

void TControl::HandleMouse(QMouseEvent* event)
{
    const TShiftState shift = WindowLayer::ShiftFromEvent(event);
    const int x = static_cast<int>(event->position().x());
    const int y = static_cast<int>(event->position().y());
    TMouseButton button = mbLeft;
    if (event->button() == Qt::RightButton)
        button = mbRight;
    else if (event->button() == Qt::MiddleButton)
        button = mbMiddle;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (button == mbLeft)
            pressedInside_ = clickPending_ = true;
        MouseDown(button, shift, x, y);
        break;
    case QEvent::MouseButtonDblClick:
        if (button == mbLeft)
            pressedInside_ = true;
        DblClick();
        MouseDown(button, shift | ssDouble, x, y);
        break;
    case QEvent::MouseButtonRelease:
        if (button == mbLeft && pressedInside_) {
            const bool click = clickPending_;
            pressedInside_ = clickPending_ = false;
            if (click && x >= 0 && y >= 0 && x < Width() && y < Height())
                Click();
        }
        MouseUp(button, shift, x, y);
        break;
    case QEvent::MouseMove:
        MouseMove(shift, x, y);
        break;
    default:
        break;
    }
}

bool TControl::DispatchEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        if (!enabled_)
            return true;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() != QEvent::MouseMove && !OwnsMousePoint(mouse)) {
            event->ignore();
            return false;
        }
        HandleMouse(mouse);
        return true;
    }
    case QEvent::Wheel: {
        if (!enabled_)
            return true;
        auto* wheel = static_cast<QWheelEvent*>(event);
        const TShiftState shift = WindowLayer::ShiftFromEvent(wheel);
        const QPoint global = wheel->globalPosition().toPoint();
        return DoMouseWheel(shift, wheel->angleDelta().y(), {global.x(), global.y()});
    }
    case QEvent::Enter:
        Perform(CM_MOUSEENTER);
        return false;
    case QEvent::Leave:
        Perform(CM_MOUSELEAVE);
        return false;
    default:
        break;
    }
    if (auto* posted = WindowLayer::AsPostedMessage(event)) {
        WndProc(*posted);
        return true;
    }
    return false;
}

void TControl::Loaded()
{
    SyncWidget();
}

TControl* TControl::CaptureControl()
{
    return Pointer().capture;
}

void TControl::SetCapture()
{
    if (Pointer().capture == this)
        return;
    if (Pointer().capture)
        ReleaseCapture();
    Pointer().capture = this;
    if (widget_ && widget_->isVisible())
        widget_->grabMouse();
}

void TControl::ReleaseCapture()
{
    TControl* old = Pointer().capture;
    if (!old)
        return;
    Pointer().capture = nullptr;
    if (old->widget_ && QWidget::mouseGrabber() == old->widget_)
        old->widget_->releaseMouse();
    old->Perform(WM_CAPTURECHANGED);
}

TShiftState KeyboardShiftState()
{
    return WindowLayer::LastShiftState();
}

bool GetKeyState(Word vk)
{
    const TShiftState s = WindowLayer::LastShiftState();
    switch (vk) {
    case VK_SHIFT: return s & ssShift;
    case VK_CONTROL: return s & ssCtrl;
    case VK_MENU: return s & ssAlt;
    case VK_LBUTTON: return s & ssLeft;
    case VK_RBUTTON: return s & ssRight;
    case VK_MBUTTON: return s & ssMiddle;
    default: return false;
    }
}
