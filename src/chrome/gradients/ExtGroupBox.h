#pragma once

// A group box whose title can sit at four places, whose four frame lines can be
// switched one by one and which can paint a gradient behind its children.
// TCustomExtGroupBox holds the behaviour; TExtGroupBox is what definitions name.

#include <cstdint>
#include <memory>

#include "chrome/gradients/Gradient.h"
#include "platform/framework/WinControl.h"

enum TTitlePosition : uint8_t { tpLeft, tpTop, tpRight, tpBottom };
enum TBorderline : uint8_t { blLeft, blTop, blRight, blBottom };
// Bit n is TBorderline n.
using TBorderlines = uint8_t;
constexpr TBorderlines BorderlineBit(TBorderline b) { return static_cast<TBorderlines>(1u << b); }
constexpr TBorderlines AllBorderlines = 0x0F;

const std::vector<std::string>& TitlePositionNames();
const std::vector<std::string>& BorderlineNames();

class TCustomExtGroupBox : public TCustomControl {
public:
    explicit TCustomExtGroupBox(TComponent* owner);
    ~TCustomExtGroupBox() override;
    static constexpr const char* StaticClassName() { return "TCustomExtGroupBox"; }
    const char* ClassName() const override { return StaticClassName(); }

    TTitlePosition TitlePosition() const { return titlePosition_; }
    void SetTitlePosition(TTitlePosition v);
    TBorderlines BorderLines() const { return borderLines_; }
    void SetBorderLines(TBorderlines v);
    TGradient& Gradient() { return *gradient_; }
    const TGradient& Gradient() const { return *gradient_; }
    void SetGradient(const TGradient& value);
    bool DrawGradient() const { return drawGradient_; }
    void SetDrawGradient(bool v);
    TColor BorderLineColor() const { return borderLineColor_; }
    void SetBorderLineColor(TColor v);

    // Height of the title band: the height of "0" in the box's font plus 4.
    int TitleHeight() const;

    void WndProc(TMessage& message) override;

protected:
    void Paint(TCanvas& canvas) override;
    void AlignControls(TRect& rect) override;
    void TextChanged() override;
    void Ctl3DChanged() override;
    void FontChanged() override;
    void Resize() override;

private:
    // The caption's accelerator character, or a null character.
    QChar Accelerator() const;
    void DrawLines(TCanvas& canvas, const TRect& b, const TRect& title);

    TTitlePosition titlePosition_ = tpLeft;
    TBorderlines borderLines_ = AllBorderlines;
    std::unique_ptr<TGradient> gradient_;
    bool drawGradient_ = false;
    TColor borderLineColor_ = clBtnShadow;
};

class TExtGroupBox : public TCustomExtGroupBox {
public:
    explicit TExtGroupBox(TComponent* owner) : TCustomExtGroupBox(owner) {}
    static constexpr const char* StaticClassName() { return "TExtGroupBox"; }
    const char* ClassName() const override { return StaticClassName(); }
};
