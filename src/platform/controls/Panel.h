#pragma once

// A container with an outer and an inner bevel, a border between them and its
// caption in the middle. Aligned children are placed inside border and bevels.

#include "platform/framework/Form.h"
#include "platform/controls/Label.h"

enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);
    static constexpr const char* StaticClassName() { return "TPanel"; }
    const char* ClassName() const override { return StaticClassName(); }

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut v);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut v);
    int BevelWidth() const { return bevelWidth_; }
    // At least 1.
    void SetBevelWidth(int v);
    int BorderWidth() const { return borderWidth_; }
    // At least 0.
    void SetBorderWidth(int v);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    // bsNone or bsSingle (a 1-pixel frame outside the bevels).
    void SetBorderStyle(TFormBorderStyle v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);

    // The part of the panel that aligned children share: the client area less
    // frame, bevels and border.
    TRect AlignRect() const;

protected:
    void Paint(TCanvas& canvas) override;
    void AlignControls(TRect& rect) override;
    // The caption in a band one text line high, centred vertically on area and
    // placed by Alignment; the brush is left clear.
    void PaintCaption(TCanvas& canvas, TRect area, unsigned extraFormat) const;

private:
    void Changed();

    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TFormBorderStyle borderStyle_ = bsNone;
    TAlignment alignment_ = taCenter;
};
