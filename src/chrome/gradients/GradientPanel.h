#pragma once

// A panel that paints a gradient behind its caption, inside optional margins and
// border rectangles. With any bevel it keeps the plain panel's look: the
// gradient is for flat title strips and containers.

#include <cstdint>
#include <memory>

#include "chrome/gradients/Gradient.h"
#include "platform/controls/Panel.h"

class TGradientPanel : public TPanel {
public:
    explicit TGradientPanel(TComponent* owner);
    ~TGradientPanel() override;
    static constexpr const char* StaticClassName() { return "TGradientPanel"; }
    const char* ClassName() const override { return StaticClassName(); }

    // From another gradient panel: margins, colour, caption, gradient, border
    // colour and the bevel and border settings; the inner border colour stays.
    void Assign(const TPersistent* source) override;

    TGradient& Gradient() { return *gradient_; }
    const TGradient& Gradient() const { return *gradient_; }
    void SetGradient(const TGradient& value);

    // Margins are 0..255 pixels.
    int LeftMargin() const { return leftMargin_; }
    void SetLeftMargin(int v) { SetMargin(leftMargin_, v); }
    int TopMargin() const { return topMargin_; }
    void SetTopMargin(int v) { SetMargin(topMargin_, v); }
    int RightMargin() const { return rightMargin_; }
    void SetRightMargin(int v) { SetMargin(rightMargin_, v); }
    int BottomMargin() const { return bottomMargin_; }
    void SetBottomMargin(int v) { SetMargin(bottomMargin_, v); }

    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor v);
    TColor InnerBorderColor() const { return innerBorderColor_; }
    void SetInnerBorderColor(TColor v);
    bool DrawGradient() const { return drawGradient_; }
    void SetDrawGradient(bool v);

    // The client rectangle less the margins: where the gradient goes.
    TRect GradientRect() const;

protected:
    void Paint(TCanvas& canvas) override;
    void AlignControls(TRect& rect) override;

private:
    void SetMargin(uint8_t& field, int value);

    std::unique_ptr<TGradient> gradient_;
    uint8_t leftMargin_ = 0;
    uint8_t topMargin_ = 0;
    uint8_t bottomMargin_ = 0;
    uint8_t rightMargin_ = 0;
    TColor borderColor_ = clBlack;
    TColor innerBorderColor_ = clBlack;
    bool drawGradient_ = true;
};
