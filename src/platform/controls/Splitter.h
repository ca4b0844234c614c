#pragma once

// A thin bar between two aligned controls: dragging it resizes the control it
// adjoins on its aligned side.

#include "platform/framework/WinControl.h"

#include <QPointer>
#include <QWidget>

enum TResizeStyle : uint8_t { rsNone, rsLine, rsUpdate, rsPattern };

class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* owner);
    ~TSplitter() override;
    const char* ClassName() const override { return "TSplitter"; }

    int MinSize() const { return minSize_; }
    // At least 1.
    void SetMinSize(int v);
    TResizeStyle ResizeStyle() const { return resizeStyle_; }
    void SetResizeStyle(TResizeStyle v) { resizeStyle_ = v; }
    bool Beveled() const { return beveled_; }
    void SetBeveled(bool v);

    // The visible control that the splitter resizes: the one touching it on the
    // side it is aligned to; null when there is none.
    TControl* FindControl() const;
    bool Dragging() const { return control_ != nullptr; }

    // After a drag changed the neighbour's size.
    TNotifyEvent OnMoved;

protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void WndProc(TMessage& message) override;
    void Resize() override;
    void Loaded() override;

private:
    bool Vertical() const { return Align() == alLeft || Align() == alRight; }
    int SizeFor(TPoint parentPos) const;
    void ShowFeedback(int size);
    void ApplySize(int size);
    void EndDrag(bool apply);
    void UpdateCursor();

    int minSize_ = 30;
    TResizeStyle resizeStyle_ = rsPattern;
    bool beveled_ = false;

    // Drag state: the neighbour, where the drag began (parent coordinates), the
    // neighbour's size then and the most it may grow to.
    TControl* control_ = nullptr;
    TPoint downPos_;
    int startSize_ = 0;
    int maxSize_ = 0;
    int newSize_ = 0;
    // Owned by the parent's window, which may go first.
    QPointer<QWidget> feedback_;
};
