#pragma once

// The picture of a self-painted window, kept between repaints the way the
// screen keeps a window's pixels: invalid parts are repainted on demand,
// scrolling moves pixels, and direct drawing stays until painted over.

#include <QImage>
#include <QRegion>

class ControlSurface {
public:
    explicit ControlSurface(bool opaque) : opaque_(opaque) {}

    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }
    // Resizes the picture; everything becomes invalid.
    void Resize(int width, int height);
    void Invalidate(const QRegion& region) { invalid_ += region; }
    // What must be repainted before the picture can be shown for region.
    QRegion TakeDirty(const QRegion& region);
    void MarkPainted(const QRegion& region) { valid_ += region; }
    void Scroll(int dx, int dy, const QRect& scroll, const QRect& clip, QRegion& uncovered);
    bool Opaque() const { return opaque_; }
    QRegion Invalid() const { return invalid_; }

private:
    QImage image_;
    QRegion invalid_;
    QRegion valid_;
    bool opaque_;
};
