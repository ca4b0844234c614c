#pragma once

// Drawing tools and constants of the canvas, with the names and numeric values of
// the platform's drawing interface (GDI) and of the VCL, so that component code
// reads like the original: pens, brushes, mix modes, raster operations and the
// formatted-text flags.

#include <cstdint>

#include "platform/canvas/Color.h"
#include "platform/base/Object.h"

// ---- Pens ------------------------------------------------------------------

enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// Mix modes (binary raster operations, ROP2), VCL order.
enum TPenMode : uint8_t {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor,
};

// Ends and joins of wide (geometric) pens. The platform default for a pen wider
// than 1 pixel is round ends and round joins; the grid lines of the product use
// flat ends and mitred joins.
enum TPenEndCap : uint8_t { pecRound, pecSquare, pecFlat };
enum TPenJoinStyle : uint8_t { pjsRound, pjsBevel, pjsMiter };

class TPen : public TPersistent {
public:
    TPen() = default;
    TPen(const TPen& other);
    TPen& operator=(const TPen&) = delete;
    const char* ClassName() const override { return "TPen"; }
    void Assign(const TPersistent* source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor c);
    // Width in pixels; values below 1 count as 1 (as the platform's cosmetic pen).
    int Width() const { return width_; }
    void SetWidth(int w);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle s);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode m);
    TPenEndCap EndCap() const { return endCap_; }
    void SetEndCap(TPenEndCap c);
    TPenJoinStyle JoinStyle() const { return join_; }
    void SetJoinStyle(TPenJoinStyle j);

    TNotifyEvent OnChange;

private:
    void Changed() { OnChange(this); }
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
    TPenEndCap endCap_ = pecRound;
    TPenJoinStyle join_ = pjsRound;
};

// ---- Brushes ---------------------------------------------------------------

// Hatched brushes draw their 8 x 8 hatch lines in the brush colour, aligned to
// device pixel (0, 0), and leave the gaps untouched (the VCL makes the background
// of a non-solid brush transparent).
enum TBrushStyle : uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TPersistent {
public:
    TBrush() = default;
    TBrush(const TBrush& other);
    TBrush& operator=(const TBrush&) = delete;
    const char* ClassName() const override { return "TBrush"; }
    void Assign(const TPersistent* source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor c);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle s);

    TNotifyEvent OnChange;

private:
    void Changed() { OnChange(this); }
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};

// ---- Fill modes, copy modes, raster operations -------------------------------

enum TPolyFillMode : uint8_t { ALTERNATE = 1, WINDING = 2 };

// Ternary raster operations (BitBlt / StretchBlt / CopyMode). Any of the 256
// ternary operations works; these are the named ones. The operation index is bits
// 16..23 of the code (bit 2 = pattern, bit 1 = source, bit 0 = destination).
using TCopyMode = uint32_t;
constexpr uint32_t SRCCOPY = 0x00CC0020;
constexpr uint32_t SRCPAINT = 0x00EE0086;
constexpr uint32_t SRCAND = 0x008800C6;
constexpr uint32_t SRCINVERT = 0x00660046;
constexpr uint32_t SRCERASE = 0x00440328;
constexpr uint32_t NOTSRCCOPY = 0x00330008;
constexpr uint32_t NOTSRCERASE = 0x001100A6;
constexpr uint32_t MERGECOPY = 0x00C000CA;
constexpr uint32_t MERGEPAINT = 0x00BB0226;
constexpr uint32_t PATCOPY = 0x00F00021;
constexpr uint32_t PATPAINT = 0x00FB0A09;
constexpr uint32_t PATINVERT = 0x005A0049;
constexpr uint32_t DSTINVERT = 0x00550009;
constexpr uint32_t BLACKNESS = 0x00000042;
constexpr uint32_t WHITENESS = 0x00FF0062;

constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

// GetPixel's answer for a pixel outside the surface or the clip region.
constexpr TColor CLR_INVALID = static_cast<TColor>(0xFFFFFFFFu);

// ---- DrawText flags ----------------------------------------------------------

constexpr unsigned DT_TOP = 0x00000000;
constexpr unsigned DT_LEFT = 0x00000000;
constexpr unsigned DT_CENTER = 0x00000001;
constexpr unsigned DT_RIGHT = 0x00000002;
constexpr unsigned DT_VCENTER = 0x00000004;
constexpr unsigned DT_BOTTOM = 0x00000008;
constexpr unsigned DT_WORDBREAK = 0x00000010;
constexpr unsigned DT_SINGLELINE = 0x00000020;
constexpr unsigned DT_EXPANDTABS = 0x00000040;
constexpr unsigned DT_TABSTOP = 0x00000080;
constexpr unsigned DT_NOCLIP = 0x00000100;
constexpr unsigned DT_EXTERNALLEADING = 0x00000200;
constexpr unsigned DT_CALCRECT = 0x00000400;
constexpr unsigned DT_NOPREFIX = 0x00000800;
constexpr unsigned DT_INTERNAL = 0x00001000;
constexpr unsigned DT_EDITCONTROL = 0x00002000;
constexpr unsigned DT_PATH_ELLIPSIS = 0x00004000;
constexpr unsigned DT_END_ELLIPSIS = 0x00008000;
constexpr unsigned DT_MODIFYSTRING = 0x00010000;
constexpr unsigned DT_RTLREADING = 0x00020000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x00040000;
constexpr unsigned DT_NOFULLWIDTHCHARBREAK = 0x00080000;
constexpr unsigned DT_HIDEPREFIX = 0x00100000;
constexpr unsigned DT_PREFIXONLY = 0x00200000;

// Text metrics of the canvas font (GetTextMetrics): Height = Ascent + Descent.
struct TTextMetric {
    int Height = 0;
    int Ascent = 0;
    int Descent = 0;
    int InternalLeading = 0;
    int ExternalLeading = 0;
    int AveCharWidth = 0;
    int MaxCharWidth = 0;
};
