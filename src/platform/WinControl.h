#pragma once

// A control that can hold other controls and take the keyboard focus: children
// in creation order, alignment of the children, tab order, window timers and
// window scrolling.

#include <map>
#include <vector>

#include "platform/Control.h"

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

    friend class TControl;
    friend class TCustomForm;

private:
    void InsertControl(TControl* c);
    void RemoveControl(TControl* c);
    bool HandleKey(class QKeyEvent* event, bool press);

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
