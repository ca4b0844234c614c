#pragma once

// A control that can hold other controls and take the keyboard focus: children
// in creation order, alignment of the children, tab order, window timers and
// window scrolling.

#include <map>
#include <vector>

#include "platform/framework/Control.h"
#include "platform/framework/window/NonClient.h"

using TKeyEvent = TEvent<TObject*, Word&, TShiftState>;
using TKeyPressEvent = TEvent<TObject*, QChar&>;

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    const char* ClassName() const override { return "TWinControl"; }

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;
    const std::vector<TControl*>& ControlList() const { return controls_; }

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool v) { tabStop_ = v; }
    // Children that take part in tabbing, in tab order.
    const std::vector<TWinControl*>& TabList() const { return tabList_; }
    // This control's tab list followed, depth first, by its children's.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The next (or previous) control after current that can take the focus.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                 bool checkParent) const;
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

    bool CanFocus() const;
    virtual void SetFocus();
    bool Focused() const;
    // False gives the flat look (a one-pixel frame instead of a sunken border).
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool v);
    bool ParentCtl3D() const { return parentCtl3D_; }
    void SetParentCtl3D(bool v) { parentCtl3D_ = v; }

    // Keys a control handles itself instead of the dialog (DLGC_* bits).
    virtual unsigned DialogCode() const { return 0; }
    // A press on the control focuses it first; controls with their own focus
    // rule take it in MouseDown instead.
    virtual bool FocusOnPress() const { return true; }

    // ---- Input methods ------------------------------------------------------
    // A control that reads characters takes an input method's text too: what
    // is committed arrives through the character phase, one character at a time.
    virtual bool TakesInputMethod() const { return false; }
    // Where the candidate window goes: the caret, in client coordinates.
    virtual TRect InputCaretRect() { return ClientRect(); }
    // A control whose text is edited in a window of its own (a cell editor)
    // names that window; composing says a pre-edit is under way, and the first
    // one may open the window. The window shows the composition while this
    // control keeps the focus (moving the focus would end the composition) and
    // takes the focus once the text is committed. nullptr: no such window.
    virtual TWinControl* CompositionWindow(bool composing) { return nullptr; }
    // Types text as the keyboard's character phase would.
    void TypeText(const QString& text);

    // Places the aligned children in the client area.
    // trigger: the child whose visibility, bounds or alignment changed; it goes
    // before the other children of its kind that share its position.
    void Realign(TControl* trigger = nullptr);
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();
    bool AlignDisabled() const { return alignDisabled_ > 0; }

    // Window timers by identifier, delivered as WM_TIMER.
    void SetTimer(unsigned id, int milliseconds);
    void KillTimer(unsigned id);
    bool HasTimer(unsigned id) const { return timers_.count(id) != 0; }
    // Queues a message for the control; it arrives through WndProc from the loop.
    void PostMessage(unsigned msg, WPARAM wparam = 0, LPARAM lparam = 0);

    // ---- Non-client parts: border and scroll bars ---------------------------
    TNonClientBorder NonClientBorder() const { return ncBorder_; }
    void SetNonClientBorder(TNonClientBorder border);
    // The bars the window may have (its scroll styles); a bar shows while its
    // range is not empty.
    void SetScrollBarStyles(bool horz, bool vert);
    bool HasScrollBarStyle(TScrollBarKind bar) const { return bar == SB_HORZ ? hStyle_ : vStyle_; }
    bool ScrollBarVisible(TScrollBarKind bar) const;
    // The platform's SetScrollInfo: mask picks the fields set; page and
    // position are clamped into the range; returns the new position.
    int SetScrollInfo(TScrollBarKind bar, const TScrollInfo& info, unsigned mask = SIF_ALL);
    TScrollInfo GetScrollInfo(TScrollBarKind bar) const { return scroll_[bar]; }
    void SetScrollRange(TScrollBarKind bar, int min, int max);
    // Returns the previous position.
    int SetScrollPos(TScrollBarKind bar, int pos);
    int GetScrollPos(TScrollBarKind bar) const { return scroll_[bar].Pos; }
    TNonClientLayout NonClientLayout() const;
    TRect ClientAreaInWindow() const override;
    TRect ClientRect() const override;
    // The whole window as it is shown: non-client parts around the client
    // picture, at PaintScale() pixels per logical pixel.
    QImage WindowImage();

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    void WndProc(TMessage& message) override;
    bool DispatchEvent(QEvent* event) override;

protected:
    virtual void KeyDown(Word& key, TShiftState shift) { OnKeyDown(this, key, shift); }
    virtual void KeyUp(Word& key, TShiftState shift) { OnKeyUp(this, key, shift); }
    virtual void KeyPress(QChar& key) { OnKeyPress(this, key); }
    virtual void DoEnter() { OnEnter(this); }
    virtual void DoExit() { OnExit(this); }
    virtual void TimerFired(unsigned id) {}
    virtual void Ctl3DChanged() { Invalidate(); }
    virtual void AlignControls(TRect& rect);
    void Loaded() override;
    void FontChanged() override;
    void ColorChanged() override;
    void Resize() override;
    void PaintNonClient(QImage& window, int scale) override;
    void EnabledChanged() override;
    void SyncWidget() override;

    friend class TControl;
    friend class TCustomForm;

private:
    void InsertControl(TControl* c);
    void RemoveControl(TControl* c);
    bool HandleKey(class QKeyEvent* event, bool press);
    bool HandleInputMethod(class QInputMethodEvent* event);
    bool AnswerInputMethodQuery(class QInputMethodQueryEvent* query);
    // Mouse input on the border and the bars; true when it was theirs.
    bool NonClientMouse(class QMouseEvent* event);
    void SendScroll(TScrollBarKind bar, unsigned code, int pos = 0);
    void ScrollRepeat();
    // After the border or a bar came or went: children, alignment, Resize.
    void NonClientChanged(const TRect& oldClient);
    void InvalidateNonClient();

    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    std::map<unsigned, int> timers_; // our identifier -> window-layer timer
    int alignDisabled_ = 0;
    int pendingTabOrder_ = -1;
    bool tabStop_ = false;
    bool ctl3D_ = true;
    bool parentCtl3D_ = true;
    bool realigning_ = false;
    TControl* alignTrigger_ = nullptr;
    TNonClientBorder ncBorder_ = ncbNone;
    bool hStyle_ = false, vStyle_ = false;
    TScrollInfo scroll_[2];
    // The bar part held down by the mouse.
    struct BarTracking {
        int bar = -1;
        TScrollBarPart part = sbpNone;
        bool inside = false;
        int grab = 0; // thumb: where in the thumb it was taken
        int pos = 0;  // thumb: the position it is dragged to
    } tracking_;
    class QTimer* repeat_ = nullptr;
};

// A windowed control that paints itself on a canvas.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    const char* ClassName() const override { return "TCustomControl"; }
};

// A control without focus that paints itself over its parent.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    const char* ClassName() const override { return "TGraphicControl"; }
};
