#pragma once

// The up-down control: two arrow buttons stacked, stepping Position by
// Increment within Min..Max. Pressing a button steps once and, held, repeats.

#include "platform/framework/WinControl.h"

enum TUDBtnType : uint8_t { btNext, btPrev };
using TUDChangingEvent = TEvent<TObject*, bool&>;
using TUDClickEvent = TEvent<TObject*, TUDBtnType>;

class TCustomUpDown : public TCustomControl {
public:
    explicit TCustomUpDown(TComponent* owner);
    const char* ClassName() const override { return "TCustomUpDown"; }

    int Min() const { return min_; }
    int Max() const { return max_; }
    // Min above Max is refused (EInvalidOperation).
    void SetRange(int min, int max);
    int Position() const { return position_; }
    // Clamped to the range; no events.
    void SetPosition(int value);
    int Increment() const { return increment_; }
    void SetIncrement(int v) { increment_ = v; }
    // The button being held (-1: none).
    int PressedButton() const { return pressed_; }

    // One step as a press on the button gives it.
    void Step(TUDBtnType button);

    TUDChangingEvent OnChanging;
    TUDClickEvent OnClick;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    // Asked before every step; false keeps the position.
    virtual bool CanChange();
    virtual void Clicked(TUDBtnType button) { OnClick(this, button); }
    void Paint(TCanvas& canvas) override;
    void TimerFired(unsigned id) override;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int increment_ = 1;
    int pressed_ = -1;
};
