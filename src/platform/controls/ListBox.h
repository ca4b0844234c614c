#pragma once

// The list box: a wrapper over the window layer's list widget. Items are
// strings; every item is drawn through DrawItem on a canvas (owner-drawn styles
// let descendants draw their own), measured through MeasureItem in the variable
// style. Keys and mouse releases reach the framework's handlers first.

#include <QStringList>

#include "platform/framework/Form.h"

class QKeyEvent;
class TCanvas;
class ListBoxWidget;

enum TListBoxStyle : uint8_t { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };

enum TOwnerDrawStateFlag : uint16_t { odSelected = 1, odGrayed = 2, odDisabled = 4, odChecked = 8, odFocused = 16 };
using TOwnerDrawState = uint16_t;

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;
    const char* ClassName() const override { return "TCustomListBox"; }

    const QStringList& Items() const { return items_; }
    void SetItems(const QStringList& items);
    void AddItem(const QString& item);
    void ClearItems() { SetItems({}); }
    int Count() const { return static_cast<int>(items_.size()); }

    // -1: nothing selected.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    int TopIndex() const;
    void SetTopIndex(int index);
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle v);
    // Height of an item in the fixed styles.
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int v);
    bool IntegralHeight() const { return integralHeight_; }
    void SetIntegralHeight(bool v) { integralHeight_ = v; }
    // Width of the frame on each side.
    static constexpr int FrameWidth = 2;

    // The item under a client point (-1 when none).
    int ItemAtPos(TPoint p) const;
    TRect ItemRect(int index) const;
    // The widest item text in the list's font.
    int MaxItemWidth() const;

    // Delivers a key as the keyboard would: KeyDown, KeyPress, then the list's
    // own navigation for what is left.
    void SendKey(Word key, TShiftState shift = 0, QChar ch = QChar());
    // A press, move and release at a client point, as the mouse would.
    void SendMouse(int kind, int x, int y);

    unsigned DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
    TNotifyEvent OnChange;

    // Entry points of the window (public for the window class).
    bool HandleKeyEvent(QKeyEvent* event);
    void ListMouseUp(TMouseButton button, TShiftState shift, int x, int y) { MouseUp(button, shift, x, y); }
    void PaintItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state) { DrawItem(canvas, index, rect, state); }
    int MeasureItemHeight(int index);
    void WidgetRowChanged(int row);

protected:
    QWidget* CreateWidget() override;
    void SyncWidget() override;
    void FontChanged() override;
    void ColorChanged() override;
    // Paints one item; the default fills it and writes the text.
    virtual void DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height) {}

private:
    ListBoxWidget* List() const;
    void Refill();

    QStringList items_;
    int itemIndex_ = -1;
    TListBoxStyle style_ = lbStandard;
    int itemHeight_ = 16;
    bool integralHeight_ = false;
    bool syncing_ = false;
};
