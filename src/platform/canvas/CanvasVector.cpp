// The canvas's vector back end: the same calls, with the same coordinates,
// clipping and text layout, drawn onto a QPainter as paths, shapes and text
// (a PDF writer or an SVG generator) instead of being rasterised. A shape's
// outline runs through the centres of the pixels the rasteriser would paint,
// so the drawing lines up with the picture of the same canvas calls.

#include <QPainter>
#include <QPainterPath>

#include "platform/canvas/CanvasPrivate.h"
#include "platform/canvas/text/FontFaces.h"

using namespace canvasdetail;

namespace {

QColor qcolor(TColor c) { return QColor(QRgb(pixelOf(c))); }

Qt::BrushStyle brushStyleOf(TBrushStyle s)
{
    switch (s) {
    case bsClear: return Qt::NoBrush;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
    }
}

QBrush qbrush(const TBrush& b)
{
    return b.Style() == bsClear ? QBrush(Qt::NoBrush) : QBrush(qcolor(b.Color()), brushStyleOf(b.Style()));
}

QPen qpen(const TPen& p, int width)
{
    if (p.Style() == psClear)
        return QPen(Qt::NoPen);
    QPen pen(qcolor(p.Color()));
    pen.setWidth(width);
    // 1-pixel pens join and end as the rasteriser's single-pixel steps look.
    pen.setCapStyle(width <= 1 ? Qt::SquareCap
                               : p.EndCap() == pecFlat ? Qt::FlatCap : p.EndCap() == pecSquare ? Qt::SquareCap
                                                                                              : Qt::RoundCap);
    pen.setJoinStyle(width <= 1 ? Qt::MiterJoin
                                : p.JoinStyle() == pjsMiter ? Qt::MiterJoin
                                                            : p.JoinStyle() == pjsBevel ? Qt::BevelJoin
                                                                                        : Qt::RoundJoin);
    if (width <= 1) {
        const std::vector<int>& dash = dashOf(p.Style());
        if (!dash.empty()) {
            QList<qreal> pattern;
            for (int v : dash)
                pattern << v;
            pen.setDashPattern(pattern);
        }
    }
    return pen;
}

} // namespace

void TCanvas::Private::vectorApplyClip(const QRect* extra)
{
    updateClip();
    const QRegion wanted = extra ? clipRegion.intersected(*extra) : clipRegion;
    // Every change of clip costs the file a saved state, so it changes only when needed.
    if (vectorClipSet && wanted == vectorClip)
        return;
    vector->setClipRegion(wanted);
    vectorClip = wanted;
    vectorClipSet = true;
}

void TCanvas::Private::vectorStroke(const std::vector<TPoint>& devPts, bool closed)
{
    vectorApplyClip();
    vector->setPen(qpen(pen, penWidth()));
    vector->setBrush(Qt::NoBrush);
    if (devPts.size() == 2 && !closed) {
        // A 1-pixel line leaves out its last pixel, as the rasteriser does.
        const QPointF a(devPts[0].X + 0.5, devPts[0].Y + 0.5), b(devPts[1].X + 0.5, devPts[1].Y + 0.5);
        if (penWidth() <= 1 && a != b) {
            const QPointF dir = (b - a) / std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
            QPen p = vector->pen();
            p.setCapStyle(Qt::FlatCap);
            vector->setPen(p);
            vector->drawLine(a - dir * 0.5, b - dir * 0.5);
            return;
        }
        vector->drawLine(a, b);
        return;
    }
    QPolygonF poly;
    for (const TPoint& p : devPts)
        poly << QPointF(p.X + 0.5, p.Y + 0.5);
    if (closed) {
        vector->drawPolygon(poly);
        return;
    }
    // The last pixel of the path is left out, as the rasteriser does.
    const qsizetype n = poly.size();
    if (penWidth() <= 1 && n >= 2 && poly[n - 1] != poly[n - 2]) {
        const QPointF step = poly[n - 1] - poly[n - 2];
        poly[n - 1] -= step / std::max(std::abs(step.x()), std::abs(step.y()));
    }
    vector->drawPolyline(poly);
}

void TCanvas::Private::vectorShape(ShapeKind kind, int l, int t, int r, int b, int ew, int eh)
{
    if (r - l < 1 || b - t < 1)
        return;
    vectorApplyClip();
    const int w = penWidth();
    QRectF outline;
    if (pen.Style() == psClear) {
        vector->setPen(Qt::NoPen);
        outline = QRectF(l, t, r - l - 1, b - t - 1);
    } else if (pen.Style() == psInsideFrame && w > 1) {
        vector->setPen(qpen(pen, w));
        outline = QRectF(l + w / 2.0, t + w / 2.0, r - l - w, b - t - w);
    } else {
        vector->setPen(qpen(pen, w));
        outline = QRectF(l + 0.5, t + 0.5, r - l - 1, b - t - 1);
    }
    vector->setBrush(qbrush(brush));
    switch (kind) {
    case ShapeKind::Ellipse: vector->drawEllipse(outline); break;
    case ShapeKind::RoundRect:
        vector->drawRoundedRect(outline, std::abs(ew) / 2.0, std::abs(eh) / 2.0, Qt::AbsoluteSize);
        break;
    default: vector->drawRect(outline); break;
    }
}

void TCanvas::Private::vectorPolygon(const std::vector<TPoint>& devPts)
{
    vectorApplyClip();
    QPolygonF poly;
    for (const TPoint& p : devPts)
        poly << QPointF(p.X + 0.5, p.Y + 0.5);
    vector->setPen(qpen(pen, penWidth()));
    vector->setBrush(qbrush(brush));
    vector->drawPolygon(poly, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
}

void TCanvas::Private::vectorFill(const QRect& device, const TBrush& fill)
{
    if (device.isEmpty() || fill.Style() == bsClear)
        return;
    if (!vectorClipSet)
        vectorApplyClip();
    vector->fillRect(device, qbrush(fill));
}

void TCanvas::Private::vectorFrame(const QRect& device)
{
    if (device.isEmpty() || brush.Style() == bsClear)
        return;
    vectorApplyClip();
    vector->setPen(QPen(qcolor(brush.Color()), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    vector->setBrush(Qt::NoBrush);
    vector->drawRect(QRectF(device).adjusted(0.5, 0.5, -0.5, -0.5));
}

void TCanvas::Private::vectorFocusRect(const QRect& device)
{
    if (device.isEmpty())
        return;
    vectorApplyClip();
    // Exclusive-or has no vector form: a dotted frame in the text colour.
    QPen dots(qcolor(font.Color()), 1, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    dots.setDashPattern({1, 1});
    vector->setPen(dots);
    vector->setBrush(Qt::NoBrush);
    vector->drawRect(QRectF(device).adjusted(0.5, 0.5, -0.5, -0.5));
}

void TCanvas::Private::vectorText(int x, int y, const QString& text, const QRect* deviceClip, bool background)
{
    const FontFaces& f = faces();
    vectorApplyClip(deviceClip);
    if (background && brush.Style() == bsSolid)
        vector->fillRect(QRect(x, y, advance(text), f.Height()), qcolor(brush.Color()));
    // Unrotated text is placed without a transformation: a generator writes
    // every change of state into the file, and texts are the most of a chart.
    const bool rotated = font.Orientation() % 3600 != 0;
    QPoint at(x, y);
    if (rotated) {
        vector->save();
        vector->translate(x, y);
        vector->rotate(-font.Orientation() / 10.0);
        at = QPoint();
    }
    vector->setPen(qcolor(font.Color()));
    // Runs of one face that its own advances would place where the layout
    // does are drawn as one text: fewer, longer texts in the file.
    const auto runs = f.Layout(text);
    for (size_t i = 0; i < runs.size();) {
        const QFont& face = f.Face(runs[i].face);
        QString joined = runs[i].text;
        size_t next = i + 1;
        if (next < runs.size() && runs[next].face == runs[i].face) {
            const QFontMetrics metrics(face);
            int end = runs[i].x + metrics.horizontalAdvance(joined);
            for (; next < runs.size() && runs[next].face == runs[i].face && runs[next].x == end; ++next) {
                joined += runs[next].text;
                end = runs[i].x + metrics.horizontalAdvance(joined);
            }
        }
        vector->setFont(face);
        vector->drawText(at + QPoint(runs[i].x, f.Ascent()), joined);
        i = next;
    }
    const int w = f.Advance(text), t = f.LineThickness();
    if (f.Underline())
        vector->fillRect(QRect(at.x(), at.y() + f.UnderlineTop(), w, t), qcolor(font.Color()));
    if (f.StrikeOut())
        vector->fillRect(QRect(at.x(), at.y() + f.StrikeOutTop(), w, t), qcolor(font.Color()));
    if (rotated)
        vector->restore();
}

void TCanvas::Private::vectorImage(const QRect& device, const QImage& image, const QRect* deviceClip)
{
    if (device.isEmpty() || image.isNull())
        return;
    vectorApplyClip(deviceClip);
    vector->drawImage(device, image);
}
