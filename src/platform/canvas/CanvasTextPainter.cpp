#include "platform/canvas/CanvasTextPainter.h"

#include <QTransform>

#include "platform/canvas/CanvasPrivate.h"
#include "platform/canvas/text/FontFaces.h"

namespace canvasdetail {

TextPainter::TextPainter(QImage& img, const QRegion& logicalClip, const FontFaces& faces, TColor color,
                         int orientation, int scale)
    : p_(&img), faces_(faces), ascent_(faces.Ascent()), orientation_(orientation)
{
    p_.setRenderHint(QPainter::TextAntialiasing, false);
    p_.setRenderHint(QPainter::Antialiasing, false);
    const QRegion clip = scale > 1 ? QTransform::fromScale(scale, scale).map(logicalClip) : logicalClip;
    // Clipping a QPainter to a region is costly; a single rectangle is cheap and
    // the whole image needs none.
    if (clip.rectCount() == 1) {
        const QRect r = clip.boundingRect();
        if (r != img.rect())
            p_.setClipRect(r);
    } else {
        p_.setClipRegion(clip);
    }
    if (scale > 1)
        p_.scale(scale, scale);
    p_.setPen(QColor(QRgb(pixelOf(color))));
}

void TextPainter::run(int x, int y, const QString& s)
{
    if (s.isEmpty())
        return;
    p_.save();
    p_.translate(x, y);
    if (orientation_ % 3600 != 0)
        p_.rotate(-orientation_ / 10.0);
    for (const FontFaces::Run& run : faces_.Layout(s)) {
        p_.setFont(faces_.Face(run.face));
        p_.drawText(QPoint(run.x, ascent_), run.text);
    }
    const int w = faces_.Advance(s), t = faces_.LineThickness();
    const QColor c = p_.pen().color();
    if (faces_.Underline())
        p_.fillRect(QRect(0, faces_.UnderlineTop(), w, t), c);
    if (faces_.StrikeOut())
        p_.fillRect(QRect(0, faces_.StrikeOutTop(), w, t), c);
    p_.restore();
}

} // namespace canvasdetail
