#pragma once

// The picture of a self-painted window, kept between repaints the way the
// screen keeps a window's pixels: invalid parts are repainted on demand,
// scrolling moves pixels, and direct drawing stays until painted over.
// Sizes, regions and scroll amounts are logical pixels; the picture itself is
// kept at the screen's resolution, Scale() pixels per logical pixel each way.

#include <QImage>
#include <QRegion>

class ControlSurface {
public:
    explicit ControlSurface(bool opaque) : opaque_(opaque) {}

    // The picture is allocated on first use: a control is sized several times
    // while its screen is read and laid out, and hidden ones are never drawn.
    QImage& Image() { return Allocated(); }
    const QImage& Image() const { return Allocated(); }
    // Resizes the picture; everything becomes invalid.
    void Resize(int width, int height, int scale = 1);
    int Scale() const { return scale_; }
    void Invalidate(const QRegion& region) { invalid_ += region; }
    // What must be repainted before the picture can be shown for region.
    QRegion TakeDirty(const QRegion& region);
    void MarkPainted(const QRegion& region) { valid_ += region; }
    void Scroll(int dx, int dy, const QRect& scroll, const QRect& clip, QRegion& uncovered);
    bool Opaque() const { return opaque_; }
    QRegion Invalid() const { return invalid_; }

private:
    QImage& Allocated() const;

    mutable QImage image_;
    int width_ = 0;
    int height_ = 0;
    int scale_ = 1;
    QRegion invalid_;
    QRegion valid_;
    bool opaque_;
};
