#pragma once

// The visual control: a component with a window on screen (a QWidget we own),
// bounds relative to its parent's client area, alignment, visibility, font and
// colour that can follow the parent, mouse events, and a drawing surface for the
// controls that paint themselves.

#include <memory>

#include <QImage>
#include <QRegion>
#include <QString>

class QWidget;
class QImage;
class QEvent;
class QPaintEvent;
class QMouseEvent;
class QWheelEvent;

#include "platform/canvas/Color.h"
#include "platform/framework/Component.h"
#include "platform/canvas/text/Font.h"
#include "platform/framework/Messages.h"
#include "platform/base/Types.h"

class TWinControl;
class TCustomForm;
class TCanvas;
class TBitmap;
class ControlSurface;

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    const char* ClassName() const override { return "TControl"; }

    // The window that represents the control on screen; created on first use.
    QWidget* Widget();
    bool HasWidget() const { return widget_ != nullptr; }

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    // The form that contains the control (the control itself for a form).
    TCustomForm* ParentForm() const;

    int Left() const { return bounds_.Left; }
    int Top() const { return bounds_.Top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    TRect BoundsRect() const { return bounds_; }
    void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
    virtual void SetBounds(int left, int top, int width, int height);
    virtual int ClientWidth() const { return ClientRect().Width(); }
    virtual int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int v) { SetWidth(v + Width() - ClientWidth()); }
    virtual void SetClientHeight(int v) { SetHeight(v + Height() - ClientHeight()); }
    // Client area in the control's own coordinates.
    virtual TRect ClientRect() const { return {0, 0, Width(), Height()}; }
    // Where the client area lies in the window: inside the non-client parts
    // (border, scroll bars). Children, painting and the mouse use client coordinates.
    virtual TRect ClientAreaInWindow() const { return {0, 0, Width(), Height()}; }
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Above its siblings on the screen.
    void BringToFront();
    // Visible together with every parent up to a shown form.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    const QString& Caption() const { return text_; }
    void SetCaption(const QString& text) { SetText(text); }
    const QString& Text() const { return text_; }
    void SetText(const QString& text);

    TFont& Font() { return *font_; }
    const TFont& Font() const { return *font_; }
    void SetFont(const TFont& font) { font_->Assign(&font); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool v);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool v);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    const QString& Hint() const { return hint_; }
    void SetHint(const QString& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v) { showHint_ = v; }

    // Sends a message straight to the control and returns its answer.
    LRESULT Perform(unsigned msg, WPARAM wparam = 0, LPARAM lparam = 0);
    virtual void WndProc(TMessage& message);

    // Marks the whole control, or part of it, for repainting.
    void Invalidate();
    virtual void InvalidateRect(const TRect& rect);
    // Repaints what is invalid now, without waiting for the message loop.
    void Update();
    void Repaint()
    {
        Invalidate();
        Update();
    }
    // The control's picture as it stands (surface-painted controls only), at
    // PaintScale() pixels per logical pixel.
    const QImage* Surface() const;
    // Pixels of the screen per logical pixel that the control paints at: its
    // window's device pixel ratio rounded (1 without a window), unless fixed.
    int PaintScale() const;
    // Fixes the scale (pictures made off screen, tests); 0 follows the window again.
    void SetPaintScale(int scale);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

    // Entry points of the window layer; they run under the default error handling.
    virtual bool DispatchEvent(QEvent* event);
    // Whether a point belongs to the control for the mouse (the framework's
    // hit test): a click elsewhere goes to the window behind.
    virtual bool HitTest(int x, int y) const { return true; }

    // The program's own cursors are registered under their resource numbers.
    static void RegisterCursor(TCursor id, const QImage& image, TPoint hotSpot);
    static void RegisterCursor(TCursor id, const TBitmap& image, TPoint hotSpot);

    // Mouse capture: all mouse input goes to the capturing control.
    static TControl* CaptureControl();
    void SetCapture();
    static void ReleaseCapture();
    bool MouseCapture() const { return CaptureControl() == this; }

protected:
    // Creates the window that represents the control; wrappers of standard
    // controls return their own widget class.
    virtual QWidget* CreateWidget();
    // Custom-painted controls keep a surface and paint through Paint.
    void SetSelfPainted(bool opaque);
    bool SelfPainted() const { return surface_ != nullptr; }
    virtual void Paint(TCanvas& canvas) {}
    // Paints the invalid part of the surface; called before the window is drawn.
    void PaintInvalid();
    // Moves the pixels of a part of the surface and invalidates what was uncovered.
    void ScrollSurface(int dx, int dy, const TRect& scroll, const TRect& clip);
    // Direct drawing on the surface outside a repaint (exclusive-or lines and the like).
    std::unique_ptr<TCanvas> SurfaceCanvas();
    // Shows a cursor over the window without changing the Cursor property
    // (crDefault: the property's cursor again).
    void SetWidgetCursor(TCursor cursor);

    virtual void Click() { OnClick(this); }
    virtual void DblClick() { OnDblClick(this); }
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual bool DoMouseWheel(TShiftState shift, int delta, TPoint pos) { return false; }
    virtual void MouseEnter() { OnMouseEnter(this); }
    virtual void MouseLeave() { OnMouseLeave(this); }
    virtual void Resize() { OnResize(this); }
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged();
    virtual void EnabledChanged();
    virtual void VisibleChanged();
    virtual void BoundsChanged() {}
    // Follow the parent after it changed its font or colour.
    void ParentFontChanged();
    void ParentColorChanged();
    // Brings the window in line with the control's state (after it is created).
    virtual void SyncWidget();
    // Paints the non-client parts into a picture of the window at scale pixels
    // per logical pixel (controls with none leave it alone).
    virtual void PaintNonClient(QImage& window, int scale) {}
    // The font the window draws the control's text in.
    virtual QFont WidgetFont() const;
    void ApplyWidgetFont();
    void ApplyWidgetColor();

    void Loaded() override;

    friend class TWinControl;
    friend class ControlWidget;
    // Reads the recorded invalidations (tests/support).
    friend class ControlTestAccess;

private:
    void PaintEventHandler(QPaintEvent* event);
    // Paints a part of the surface (the part is then valid).
    void PaintSurface(const QRegion& dirty);
    // The window's rectangle in its parent window (bounds moved by the parent's
    // non-client parts).
    QRect WidgetGeometry() const;
    TPoint ClientOrigin() const;
    void HandleMouse(QMouseEvent* event);
    // The press or release at the event's point is this control's (HitTest), or it began here.
    bool OwnsMousePoint(const QMouseEvent* event) const;
    void RealignParent();
    // Brings the surface to the client area's size at the paint scale.
    void SyncSurface();

    QWidget* widget_ = nullptr;
    TWinControl* parent_ = nullptr;
    TRect bounds_;
    TAlign align_ = alNone;
    bool visible_ = true;
    bool enabled_ = true;
    bool parentFont_ = true;
    bool parentColor_ = true;
    bool showHint_ = false;
    bool recordInvalidations_ = false;
    // A left press (a double press too) began here and its release has not
    // come: the mouse stays this control's, wherever it goes.
    bool pressedInside_ = false;
    // A plain left press began here: its release inside clicks.
    bool clickPending_ = false;
    QString text_;
    QString hint_;
    std::unique_ptr<TFont> font_;
    TColor color_ = clBtnFace;
    TCursor cursor_ = crDefault;
    std::unique_ptr<ControlSurface> surface_;
    int fixedScale_ = 0;
    std::vector<TRect> invalidations_;
};

// Current state of the modifier keys and mouse buttons as last seen in input.
TShiftState KeyboardShiftState();
bool GetKeyState(Word virtualKey);
