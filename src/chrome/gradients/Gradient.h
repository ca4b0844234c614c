#pragma once

// TGradient: a two-colour fill in one of twelve figures. It is rendered once per
// size and parameter set into a 32-bit bitmap, and every paint after that is a
// single block copy, so panels full of gradients repaint cheaply. The renderings
// are shared by all gradients of the process: a screen opened again finds its
// panels' pictures ready.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Canvas.h"
#include "platform/canvas/Color.h"
#include "platform/base/Object.h"
#include "platform/base/Types.h"

// The order is the stored value.
enum TGradientStyle : uint8_t {
    gtCornerTopLeft,
    gtCornerTopRight,
    gtCornerBottomRight,
    gtCornerBottomLeft,
    gtDiagonalRising,
    gtDiagonalFalling,
    gtEllipse,
    gtPyramid,
    gtVerticalToCenter,
    gtHorizontalToCenter,
    gtLeftToRight,
    gtTopToBottom,
};

enum TGradientDirection : uint8_t { gdNormal, gdInverse };

const std::vector<std::string>& GradientStyleNames();
const std::vector<std::string>& GradientDirectionNames();

class TGradient : public TPersistent {
public:
    static constexpr TColor DefaultBeginColor = 0x00FFFFFF;
    static constexpr TColor DefaultEndColor = 14665911; // $00DFC8B7
    // gtEllipse leaves this colour out when copying: it marks the area outside the rings.
    static constexpr TColor TransparentFill = 0x00C0C0C0;
    // Largest area, in pixels, that Draw renders (8192 x 4096).
    static constexpr int64_t MaxArea = int64_t(1) << 25;

    TGradient();
    ~TGradient() override;
    TGradient(const TGradient&) = delete;
    TGradient& operator=(const TGradient&) = delete;
    static constexpr const char* StaticClassName() { return "TGradient"; }
    const char* ClassName() const override { return StaticClassName(); }

    // Takes colours and style of another gradient; the direction stays.
    void Assign(const TPersistent* source) override;

    TColor BeginColor() const { return beginColor_; }
    TColor EndColor() const { return endColor_; }
    // index 1 is the begin colour, 2 the end colour. Setting a colour always
    // counts as a change, even to the value it already has.
    void SetColor(int index, TColor value);
    void SetBeginColor(TColor value) { SetColor(1, value); }
    void SetEndColor(TColor value) { SetColor(2, value); }
    TGradientStyle DrawStyle() const { return drawStyle_; }
    void SetDrawStyle(TGradientStyle value);
    TGradientDirection Direction() const { return direction_; }
    void SetDirection(TGradientDirection value);

    // Renders for rect's size when that differs from the last rendering, then
    // copies to canvas at rect's top-left. Without canvas it only renders.
    void Draw(TCanvas* canvas, const TRect& rect);

    // The ramp of 256 colours the figures are drawn from ($00BBGGRR).
    TColor TableEntry(int index) const;
    // The rectangle last rendered; empty after every parameter change.
    TRect CacheRect() const { return cache_; }
    const TBitmap& Bitmap() const { return *bitmap_; }
    // How often a picture was made for a new size or parameters, rendered or
    // found among the shared ones (for checking the cache).
    int RenderCount() const { return renderCount_; }

    TNotifyEvent OnChangeParameter;

protected:
    void AssignTo(TPersistent* dest) const override;
    void Change() { OnChangeParameter(this); }

private:
    void ParametersChanged();
    void BuildTable();
    std::shared_ptr<TBitmap> Picture(int width, int height) const;
    void Render(TBitmap& bitmap, int width, int height) const;
    void RenderBands(TCanvas& c, int w, int h) const;
    void RenderCorners(TCanvas& c, int w, int h) const;
    void RenderDiagonals(TCanvas& c, int w, int h) const;
    void RenderEllipse(TCanvas& c, int w, int h) const;
    void RenderPyramid(TCanvas& c, int w, int h) const;

    TRect cache_;
    TGradientDirection direction_ = gdNormal;
    TColor beginColor_ = DefaultBeginColor;
    TColor endColor_ = DefaultEndColor;
    TGradientStyle drawStyle_ = gtTopToBottom;
    std::array<TColor, 256> table_{};
    // The ramp's ends as resolved when the table was built: with the style they
    // decide the picture.
    uint32_t rampFrom_ = 0;
    uint32_t rampTo_ = 0;
    // Shared with other gradients of the same picture; never drawn on once made.
    std::shared_ptr<TBitmap> bitmap_;
    int renderCount_ = 0;
};
