#pragma once

// The comment pop-up of a view grid: a callout with a shadow around a
// read-only memo holding the comment's lines. The box is a top-level window
// above everything that takes no activation and lets the mouse pass through;
// the memo is its child. Created on first need, only hidden and shown afterwards.

#include <QString>
#include <QStringList>

#include "platform/framework/WinControl.h"

class TCustomCommentMemo : public TCustomControl {
public:
    explicit TCustomCommentMemo(TComponent* owner);
    const char* ClassName() const override { return "TCustomCommentMemo"; }

    const QStringList& Lines() const { return lines_; }
    // Line breaks make lines.
    void SetLinesText(const QString& text);
    // The area inside the 4-pixel border.
    TRect ClientRect() const override;
    // Comments never take the mouse from the grid.
    bool HitTest(int, int) const override { return false; }

protected:
    void Paint(TCanvas& canvas) override;

private:
    QStringList lines_;
};

class TCustomCommentBox : public TCustomControl {
public:
    // The memo's default size (client area plus the border).
    static constexpr int MemoWidth = 185;
    static constexpr int MemoHeight = 89;

    explicit TCustomCommentBox(TComponent* owner);
    const char* ClassName() const override { return "TCustomCommentBox"; }

    TCustomCommentMemo* Memo() const { return memo_; }
    void SetCommentText(const QString& text) { memo_->SetLinesText(text); }
    // Moves the box to p (screen coordinates) unless the mouse has not
    // moved since the last placement, then shows it.
    void ShowAt(TPoint p);
    void SetVisible(bool visible) override;
    bool HitTest(int, int) const override { return false; }
    // Places the memo inside the box, in the box's coordinates (done before every paint).
    void PlaceMemo();
    TPoint LastPoint() const { return lastPoint_; }

protected:
    void Paint(TCanvas& canvas) override;
    void BoundsChanged() override { PlaceMemo(); }

private:
    TCustomCommentMemo* memo_ = nullptr;
    TPoint lastPoint_{0, 0};
    TPoint lastCursor_{0, 0};
};
