#pragma once

// The list drop-downs of the in-place editor. TCustomPopupListBox is the
// drop-down window: releasing the mouse on it closes it, accepting when the
// release lies inside the list. TPopupListBox takes its style and item height
// from the grid, lets the grid draw and measure owner-drawn items, and searches
// incrementally as the user types.

#include <cstdint>
#include <functional>

#include "platform/controls/ListBox.h"

class TInplaceEdit;

class TCustomPopupListBox : public TCustomListBox {
public:
    explicit TCustomPopupListBox(TInplaceEdit* editor);
    const char* ClassName() const override { return "TCustomPopupListBox"; }
    TInplaceEdit* Editor() const { return editor_; }

    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    TInplaceEdit* editor_;
};

class TPopupListBox : public TCustomPopupListBox {
public:
    // A pause longer than this starts a new search.
    static constexpr int SearchResetMs = 2000;
    static constexpr int MaxSearchLength = 32;

    explicit TPopupListBox(TInplaceEdit* editor);
    const char* ClassName() const override { return "TPopupListBox"; }

    const QString& SearchText() const { return searchText_; }
    int64_t SearchTime() const { return searchTime_; }
    // Milliseconds of a steady clock; tests put their own in.
    static void SetClock(std::function<int64_t()> clock);

    void KeyPress(QChar& key) override;

protected:
    void DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state) override;
    void MeasureItem(int index, int& height) override;

private:
    QString searchText_;
    int64_t searchTime_ = 0;
};

class TColorListBox : public TCustomPopupListBox {
public:
    static constexpr int ColorItemHeight = 18;

    explicit TColorListBox(TInplaceEdit* editor);
    const char* ClassName() const override { return "TColorListBox"; }

protected:
    void DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state) override;
};
