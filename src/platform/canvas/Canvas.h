#pragma once

// TCanvas: a drawing surface with the exact pixel semantics of the platform's
// drawing interface (GDI) as the VCL's TCanvas exposes it. It draws onto a QImage
// it does not own (Format_RGB32 or Format_ARGB32; other formats are converted in
// place when the canvas is created). Lines, shapes, fills, frames, focus
// rectangles, mix modes and block copies are rasterised directly on the pixel
// memory; text goes through a QPainter with a non-antialiased font.
//
// Conventions (those of GDI):
// - Coordinates are pixels; rectangles are half-open (TRect).
// - Logical coordinates pass through the window origin: a logical point p lands on
//   device pixel p - WindowOrg(). MoveWindowOrg(dx, dy) shifts later drawing by
//   (dx, dy), so a control paints a child area with the child's own coordinates.
// - MoveTo/LineTo and Polyline omit the last pixel of every segment.
// - Rectangle(0, 0, 10, 10) with a 1-pixel pen covers pixels 0..9: the frame in
//   the pen, the interior in the brush. With a clear pen (psClear) the figure is
//   one pixel smaller (interior 0..8), as on the platform. The same holds for
//   Ellipse and RoundRect. Reversed corners are normalised.
// - Polygon interiors (alternate or winding) include left/top edges and exclude
//   right/bottom edges: the polygon (0,0) (10,0) (10,10) (0,10) fills 0..9.
// - The pen mode (mix mode) applies to lines and to the pen and brush of shapes;
//   FillRect, FrameRect, Pixels and text ignore it.
// - Styled 1-pixel pens (psDash 18-6, psDot 3-3, psDashDot 9-6-3-6,
//   psDashDotDot 9-3-3-3-3-3) paint their gaps in the brush colour when the brush
//   is bsSolid and leave them untouched otherwise (the VCL's background mode).
//   Pens wider than 1 pixel are always solid, with round ends/joins unless set.
// - Text: the reference point is the top-left of the text cell. A bsSolid brush
//   paints the cell background in the brush colour, any other brush style leaves it.
// - Clip: SetClipRect, IntersectClipRect and ExcludeClipRect take logical
//   rectangles; SelectClipRegion/ClipRegion use device coordinates (as
//   SelectClipRgn/GetClipRgn); ClipRect() is the logical bounding box of what can be
//   painted (GetClipBox), the whole surface when no clip region is set.
// - Bad input (empty or reversed rectangles where the platform draws nothing,
//   huge coordinates, null images) draws nothing and never crashes.
// - Scale: a canvas over a target s times the logical size (a window on a screen
//   of device pixel ratio s) keeps every coordinate, clip, measure and Pixels
//   read in logical pixels ("device" above: logical, window origin taken off). Each logical pixel of lines, shapes, fills and
//   copies becomes an s x s block, exactly the scale-1 picture enlarged; text is
//   drawn with the font at s times its size, at the logical layout's positions;
//   bitmaps and images are enlarged by s (nearest pixel) unless they carry the
//   canvas's scale themselves.

#include <memory>
#include <vector>

#include <QImage>
#include <QRegion>
#include <QString>

#include "platform/canvas/CanvasTypes.h"
#include "platform/canvas/text/Font.h"
#include "platform/base/Types.h"

class QPainter;
class TBitmap;

class TCanvas {
public:
    // A canvas without surface: measures text, draws nothing.
    TCanvas();
    // A canvas over target; the image must outlive the canvas. The image may be
    // resized or replaced (same QImage object) between calls.
    explicit TCanvas(QImage& target);
    // A canvas of width x height logical pixels that draws through painter as
    // vector shapes and text (a PDF writer's or SVG generator's painter), with
    // the same coordinates, clipping and text layout as on a picture. What has
    // no vector form differs: exclusive-or and other mix modes draw as copies,
    // the dotted focus rectangle is a dotted frame, block copies and single
    // pixels are left out and Pixels() reads CLR_INVALID. The painter must
    // outlive the canvas.
    TCanvas(QPainter& painter, int width, int height);
    bool IsVector() const;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;
    ~TCanvas();

    // The surface (nullptr for a measuring canvas). SetTarget(nullptr) detaches.
    QImage* Target() const;
    void SetTarget(QImage* target);
    // Target pixels per logical pixel along each axis (1 to kMaxScale; others clamp).
    int Scale() const;
    void SetScale(int scale);
    static constexpr int kMaxScale = 4;

    // ---- Tools ------------------------------------------------------------
    TPen& Pen();
    TBrush& Brush();
    TFont& Font();
    TCopyMode CopyMode() const;
    void SetCopyMode(TCopyMode mode);
    TPolyFillMode PolyFillMode() const;
    void SetPolyFillMode(TPolyFillMode mode);

    // ---- State --------------------------------------------------------------
    // Saves pen, brush, font, copy mode, fill mode, clip, window origin and pen
    // position; returns the depth after saving (1 for the first save).
    int SaveState();
    // Restores the most recent state (index < 0) or the state saved with that
    // index, discarding the later ones (RestoreDC). Nothing when none is saved.
    void RestoreState(int index = -1);

    TPoint WindowOrg() const;
    void SetWindowOrg(int x, int y);
    // Drawing afterwards lands (dx, dy) further right/down (the VCL's MoveWindowOrg).
    void MoveWindowOrg(int dx, int dy);

    // ---- Clip -----------------------------------------------------------------
    TRect ClipRect() const;
    bool HasClipRegion() const;
    // Sets the clip to one logical rectangle (clipped to the surface on use).
    void SetClipRect(const TRect& r);
    void IntersectClipRect(const TRect& r);
    void ExcludeClipRect(const TRect& r);
    // Device coordinates; a copy is taken.
    void SelectClipRegion(const QRegion& region);
    // Removes the clip region (the whole surface becomes paintable).
    void RemoveClipRegion();
    // Device coordinates; an empty region when no clip region is set.
    QRegion ClipRegion() const;
    // True when some pixel of the logical rectangle may be painted (RectVisible).
    bool RectVisible(const TRect& r) const;

    // ---- Pixels, lines, shapes ------------------------------------------------
    // CLR_INVALID outside the surface or the clip region.
    TColor Pixels(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    // Each pixel of r takes even or odd as x + y is even or odd (the checkerboard
    // of a scroll bar's track), with one surface for all of them.
    void FillCheckerboard(const TRect& r, TColor even, TColor odd);

    TPoint PenPos() const;
    void SetPenPos(TPoint p);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    // Segments through the points; the pen position is not used nor changed.
    void Polyline(const TPoint* points, int count);
    void Polyline(const std::vector<TPoint>& points) { Polyline(points.data(), int(points.size())); }
    // Closed figure: interior with the brush (PolyFillMode), outline with the pen.
    void Polygon(const TPoint* points, int count);
    void Polygon(const std::vector<TPoint>& points) { Polygon(points.data(), int(points.size())); }

    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    // Corner ellipse of width x3 and height y3 (clamped to the rectangle).
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    void RoundRect(const TRect& r, int cx, int cy) { RoundRect(r.Left, r.Top, r.Right, r.Bottom, cx, cy); }
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }

    // Fills the half-open rectangle with the brush (pattern copy; mix mode and pen
    // unused). An empty or reversed rectangle draws nothing. bsClear fills nothing.
    void FillRect(const TRect& r);
    // A 1-pixel frame just inside r in the brush (bsClear: nothing).
    void FrameRect(const TRect& r);
    // XOR frame just inside r, every other pixel (those with x + y even in device
    // coordinates): those pixels are XORed with the brush colour, the others with
    // the font colour (black on white inverts every other pixel). Drawing it twice
    // restores the picture.
    void DrawFocusRect(const TRect& r);

    // ---- Text ---------------------------------------------------------------
    // Single line, no prefix processing. Moves the pen position to (x + width, y).
    void TextOut(int x, int y, const QString& text);
    // TextOut clipped to r; with a bsSolid brush the whole of r is filled first.
    void TextRect(const TRect& r, int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    TSize TextExtent(const QString& text) const;
    TTextMetric TextMetrics() const;
    // Formatted text (DT_* flags). Returns the height of the text; with DT_VCENTER or
    // DT_BOTTOM the offset from r.Top to the bottom of the text. With DT_CALCRECT
    // nothing is drawn and r.Right/r.Bottom are set to the text's extent.
    int DrawText(const QString& text, TRect& r, unsigned flags);

    // ---- Block copies -----------------------------------------------------------
    // Any ternary raster operation; the pattern is the brush. src may be null for
    // operations that do not use a source. Source pixels outside the source
    // surface leave the destination unchanged. Overlapping copies on one surface work.
    void BitBlt(int x, int y, int w, int h, const TCanvas* src, int sx, int sy, uint32_t rop);
    // Nearest-pixel stretching; negative sizes mirror, as on the platform.
    void StretchBlt(int x, int y, int w, int h, const TCanvas* src, int sx, int sy, int sw, int sh, uint32_t rop);
    // StretchBlt of srcRect to dstRect with CopyMode.
    void CopyRect(const TRect& dst, const TCanvas& src, const TRect& srcRect);
    // Copies the bitmap; a Transparent bitmap leaves its TransparentColor pixels out.
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& r, const TBitmap& bitmap);
    // Source-over blend of an image with alpha (image-list pictures), clipped.
    void DrawImage(int x, int y, const QImage& image);

private:
    struct Private;
    std::unique_ptr<Private> d;
    friend class TBitmap;
};
