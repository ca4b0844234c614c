#pragma once

// The masked edit: a wrapper over the window layer's plain-text editor, one or
// several lines, with the framework's text, an edit mask (EditMask.h), a length
// limit, read-only state, alignment, word wrap, scroll bars and a formatting
// rectangle. An overlay rectangle over the text (a button, a colour swatch) is
// painted and clicked through the framework (PaintOverlay, MouseDown...).
// Keys pass through KeyDown and KeyPress first, as on the platform: the
// character phase runs even when KeyDown took the key, unless it was removed.

#include "platform/controls/edit/EditMask.h"
#include "platform/framework/Form.h"
#include "platform/controls/Label.h"

class QKeyEvent;
class TCanvas;
class MaskEditWidget;

enum TEditScrollBars : uint8_t { esbNone, esbHorizontal, esbVertical, esbBoth };

class TCustomMaskEdit : public TWinControl {
public:
    explicit TCustomMaskEdit(TComponent* owner);
    ~TCustomMaskEdit() override;
    const char* ClassName() const override { return "TCustomMaskEdit"; }

    const QString& EditMask() const { return maskText_; }
    // Reformats the present text under the new mask.
    void SetEditMask(const QString& mask);
    const TEditMask& Mask() const { return mask_; }
    // The value of the text: the mask's Value when a mask is active, else the text.
    QString EditValue() const;
    // 0: no limit of our own.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v) { maxLength_ = v < 0 ? 0 : v; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    TEditScrollBars ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TEditScrollBars v);

    // Selection in characters of the text as shown (a line break counts once).
    int SelStart() const;
    int SelLength() const;
    void SetSel(int start, int length);
    void SelectAll();
    QString SelText() const;
    // Replaces the selection; "\r\n" gives a line break.
    void SetSelText(const QString& text);
    int TextLength() const;

    // Where the text is laid out, in client coordinates.
    TRect FormattingRect() const { return formatRect_; }
    void SetFormattingRect(const TRect& r);
    void ScrollCaret();

    // The framework-painted rectangle over the text (empty: none).
    TRect Overlay() const { return overlay_; }
    void SetOverlay(const TRect& r);
    void InvalidateOverlay();

    // Delivers a key as the keyboard would: KeyDown, KeyPress, then the
    // editor's own handling of what is left.
    void SendKey(Word key, TShiftState shift = 0, QChar ch = QChar());
    void SendChar(QChar ch) { SendKey(0, 0, ch); }
    // The character of the key being handled is not delivered.
    void RemovePendingChar() { charRemoved_ = true; }

    // The control the form sees as focused while this window has the keyboard
    // focus (an in-place editor stands in for its grid).
    void SetFocusOwner(TWinControl* owner);
    TWinControl* FocusOwner() const { return focusOwner_; }
    void SetFocus() override;
    bool HasKeyboardFocus() const;

    unsigned DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

    // Clear, cut and paste as the window's commands; refused when !CanModify().
    void ClearSelection();
    void CutToClipboard();
    void PasteFromClipboard();
    virtual bool CanModify() const { return !readOnly_; }
    // The platform's warning sound for a refused key.
    static void Beep();

    TNotifyEvent OnChange;

    // Entry points of the window (public for the window class).
    bool HandleKeyEvent(QKeyEvent* event);
    void HandleKeyUp(QKeyEvent* event);
    void WidgetTextChanged();
    void PaintOverlayArea(TCanvas& canvas);
    void OverlayMouse(int kind, TMouseButton button, TShiftState shift, int x, int y);
    virtual void FocusEntered() {}
    virtual void FocusLeft() {}
    virtual bool WheelTurned(TShiftState shift, int delta, TPoint pos) { return DoMouseWheel(shift, delta, pos); }
    void DoubleClicked() { DblClick(); }
    // Whether a left press on the text counts as the second click of a double click.
    virtual bool PressMakesDoubleClick() { return false; }
    void KeyDownPublic(Word& key, TShiftState shift) { KeyDown(key, shift); }
    void KeyPressPublic(QChar& key) { KeyPress(key); }

protected:
    QWidget* CreateWidget() override;
    void SyncWidget() override;
    void TextChanged() override;
    void ColorChanged() override;
    void FontChanged() override;
    void BoundsChanged() override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    virtual void Change() { OnChange(this); }
    // Paints the overlay; rect is the overlay in client coordinates.
    virtual void PaintOverlay(TCanvas& canvas, const TRect& rect) {}

private:
    MaskEditWidget* Edit() const;
    void ApplyLook();
    void ApplyMargins();
    void SetTextKeepingCaret(const QString& text, int caret);

    TEditMask mask_;
    QString maskText_;
    int maxLength_ = 0;
    bool readOnly_ = false;
    TAlignment alignment_ = taLeftJustify;
    bool wordWrap_ = true;
    TEditScrollBars scrollBars_ = esbNone;
    TRect formatRect_{};
    bool formatRectSet_ = false;
    TRect overlay_{};
    TWinControl* focusOwner_ = nullptr;
    bool charRemoved_ = false;
    bool syncing_ = false;
};
