#pragma once

// One QPainter session for drawing text runs onto a canvas's target: rotated
// text, and texts too large for the ink cache. Coordinates and clip are logical;
// on a scaled target the painter enlarges them, and the glyphs with them.

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QString>

#include "platform/canvas/Color.h"

class FontFaces;

namespace canvasdetail {

class TextPainter {
public:
    TextPainter(QImage& img, const QRegion& clip, const FontFaces& faces, TColor color, int orientation,
                int scale);
    // Text cell top-left at device (x, y); with rotation the run turns around it.
    void run(int x, int y, const QString& s);

private:
    QPainter p_;
    const FontFaces& faces_;
    int ascent_;
    int orientation_;
};

} // namespace canvasdetail
