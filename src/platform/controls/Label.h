#pragma once

// A static caption painted over its parent: the "&" prefix underlines the letter
// after it, the text can be aligned and wrapped, and the label can size itself
// to its text.

#include "platform/framework/WinControl.h"

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);
    ~TLabel() override;
    const char* ClassName() const override { return "TLabel"; }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout v);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool v);

    // The control that the caption's accelerator focuses.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control);
    // A stored definition may name a control defined later; it is looked up
    // among the owner's components when loading ends.
    void SetFocusControlName(const QString& name) { pendingFocusControl_ = name; }

    // The accelerator letter (after a single "&"), or a null character.
    QChar Accelerator() const;
    // The size the caption needs at the current width (wrapping) and font.
    TSize TextSize() const;
    // Where Paint puts the text, in the label's coordinates.
    TRect TextRect() const;

protected:
    void Paint(TCanvas& canvas) override;
    void TextChanged() override;
    void FontChanged() override;
    void Loaded() override;
    void Notification(TComponent* component, bool removing) override;

private:
    unsigned DrawFlags() const;
    void AdjustBounds();

    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
    QString pendingFocusControl_;
};
