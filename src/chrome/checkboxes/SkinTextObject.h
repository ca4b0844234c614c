#pragma once

// A skinned control with a caption: margins, alignment to either side,
// wrapping, the caption's accelerator, and a height that follows the text.
// The placement rules are plain functions (SkinLayout) so that they can be
// checked without windows.

#include <QString>

#include "chrome/checkboxes/SkinPanelObject.h"
#include "platform/controls/Label.h"

enum TTextWrapping : uint8_t { twNone, twEndEllipsis, twPathEllipsis, twWrap };
// taLeftJustify or taRightJustify; taCenter is refused.
using TLeftRight = TAlignment;

class TSkinControlMargins : public TPersistent {
public:
    static constexpr const char* StaticClassName() { return "TSkinControlMargins"; }
    const char* ClassName() const override { return StaticClassName(); }
    void Assign(const TPersistent* source) override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Right() const { return right_; }
    int Bottom() const { return bottom_; }
    void SetLeft(int v);
    void SetTop(int v);
    void SetRight(int v);
    void SetBottom(int v);
    // As insets: Left/Top/Right/Bottom taken off the matching sides.
    TRect Insets() const { return {left_, top_, right_, bottom_}; }

    TNotifyEvent OnChange;

private:
    void Set(int& field, int v);
    int left_ = 0;
    int top_ = 0;
    int right_ = 0;
    int bottom_ = 0;
};

namespace SkinLayout {

constexpr int BoxSize = 13;
constexpr int TextMargin = 2;
constexpr int BoxGap = 6;
constexpr int MinBoxHeight = BoxSize + 2 * TextMargin;

// r with insets (Left/Top/Right/Bottom as amounts) taken off its sides.
TRect Deflate(const TRect& r, const TRect& insets);
// The text margins of a control with a box: 2 all round, 19 more on the box side.
TRect BoxTextMargins(bool boxOnRight);
// The measured text's height centred in r (r's width kept).
TRect CenterVertically(const TRect& r, int textHeight);
// The 13 x 13 box at the box side of inner (the client area less Margins).
TRect BoxRect(const TRect& inner, bool boxOnRight);
// The automatic height: text plus text margins plus Margins, at least minimum,
// kept within the platform's 16-bit window coordinates.
int AutoHeight(int textHeight, const TRect& textMargins, const TRect& margins, int minimum);
// The focus frame: 2 pixels past the measured text on both sides, the full
// height of inner.
TRect FocusRect(const TRect& inner, const TRect& measuredText);
// The part of inner that reacts to the mouse: from the box side to the far end
// of the measured text plus 2.
TRect HitRect(const TRect& inner, const TRect& measuredText, bool boxOnRight);
// DrawText flags for the caption.
unsigned DrawFlags(TLeftRight alignment, TTextWrapping wrapping, bool showAccelChar, bool rightToLeft = false);

} // namespace SkinLayout

class TSkinTextObject : public TSkinPanelObject {
public:
    explicit TSkinTextObject(TComponent* owner);
    ~TSkinTextObject() override;
    static constexpr const char* StaticClassName() { return "TSkinTextObject"; }
    const char* ClassName() const override { return StaticClassName(); }

    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight v);
    TSkinControlMargins& Margins() { return margins_; }
    const TSkinControlMargins& Margins() const { return margins_; }
    TTextWrapping Wrapping() const { return wrapping_; }
    void SetWrapping(TTextWrapping v);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool v);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);

    // Client area less Margins.
    TRect InnerRect() const;
    // Inner rectangle less the text margins.
    TRect TextRect() const;
    // Where the text lands: measured, aligned and centred vertically in TextRect.
    TRect MeasuredTextRect() const;
    // The character after a single "&" of the caption, or none.
    QChar Accelerator() const;
    // Recomputes the height from the text when AutoSize allows it.
    void AdjustHeight();
    // The window comes with the parent, and with it the first automatic height.
    void SetParent(TWinControl* parent) override;

protected:
    // Hooks, in slot order.
    virtual void AdjustFont(TCanvas& canvas) {}
    virtual int MeasureHeight(TCanvas& canvas, TRect rect) const;
    virtual void DrawCaption(TCanvas& canvas, const QString& text, TRect& rect, unsigned flags);
    void TextChanged() override;
    virtual TRect FocusRectFor(const TRect& textRect) const { return {}; }
    virtual QString DisplayText() const { return Caption(); }
    virtual TLeftRight EffectiveAlignment() const { return alignment_; }
    virtual TRect TextMargins() const { return {}; }
    // The least automatic height.
    virtual int MinimumHeight() const { return 0; }
    int DesiredHeight() const override;
    // Alt+accelerator (CM_DIALOGCHAR): true when it belongs to this control and
    // the control may act on it.
    bool IsOwnAccelerator(QChar key) const;

    unsigned TextFlags() const;
    void Paint(TCanvas& canvas) override;
    void PaintText(TCanvas& canvas);
    void FontChanged() override;
    void Loaded() override;

private:
    void Changed();
    QString MeasuredText() const;

    TLeftRight alignment_ = taLeftJustify;
    TSkinControlMargins margins_;
    TTextWrapping wrapping_ = twNone;
    bool showAccelChar_ = true;
    bool adjustingHeight_ = false;
    bool autoSize_ = true;
};
