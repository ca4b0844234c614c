#include "platform/canvas/text/RichTextLayout.h"

#include <algorithm>

#include <QPainter>
#include <QTextLayout>
#include <QTransform>

#include "platform/canvas/Canvas.h"

namespace {

Qt::Alignment ToQt(int alignment)
{
    switch (alignment) {
    case raRight: return Qt::AlignRight;
    case raCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

} // namespace

void DrawRichText(TCanvas& canvas, const TRichTextDocument& document, const TRect& rect, const TFont& defaultFont,
                  TRichAlignment defaultAlignment, TColor background)
{
    QImage* target = canvas.Target();
    const int width = rect.Right - rect.Left;
    const int height = rect.Bottom - rect.Top;
    if (!target || width <= 0 || height <= 0)
        return;
    const TPoint org = canvas.WindowOrg();
    const QRect device(rect.Left - org.X, rect.Top - org.Y, width, height);
    QRegion clip(device);
    if (canvas.HasClipRegion())
        clip &= canvas.ClipRegion();
    if (clip.isEmpty())
        return;

    QPainter painter(target);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // On a scaled canvas the painter enlarges the logical layout; glyphs are
    // drawn at the enlarged size.
    const int k = canvas.Scale();
    if (k > 1) {
        painter.setClipRegion(QTransform::fromScale(k, k).map(clip));
        painter.scale(k, k);
    } else {
        painter.setClipRegion(clip);
    }
    if (background != clNone)
        painter.fillRect(device, ToQColor(background));

    const QFont base = defaultFont.ToQFont();
    const QColor baseColor = ToQColor(defaultFont.Color());
    // Every character takes at least a pixel and every line a few: more could
    // not be seen, and a huge value must not be laid out whole.
    const qsizetype budget = qsizetype(width + 1) * (height / 2 + 1);
    qsizetype used = 0;
    qreal y = device.top();
    for (const TRichTextParagraph& paragraph : document) {
        if (y >= device.bottom() + 1 || used >= budget)
            break;
        QString text;
        QList<QTextLayout::FormatRange> formats;
        for (const TRichTextRun& run : paragraph.Runs) {
            if (run.Text.isEmpty() || used + text.size() >= budget)
                continue;
            QTextLayout::FormatRange range;
            range.start = int(text.size());
            const QString part = run.Text.left(budget - used - text.size());
            text += part;
            range.length = int(part.size());
            QFont font = base;
            if (!run.FontName.isEmpty())
                font.setFamily(TFont::MapFace(run.FontName));
            if (run.FontSize > 0)
                font.setPixelSize(std::max(1, MulDiv(std::min(run.FontSize, 1638), PixelsPerInch, 72)));
            font.setBold(run.Styles & fsBold);
            font.setItalic(run.Styles & fsItalic);
            font.setUnderline(run.Styles & fsUnderline);
            font.setStrikeOut(run.Styles & fsStrikeOut);
            range.format.setFont(font);
            range.format.setForeground(run.Color == clDefault ? baseColor : ToQColor(run.Color));
            if (run.Script > 0)
                range.format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
            else if (run.Script < 0)
                range.format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
            formats.append(range);
        }
        used += text.size();
        QTextLayout layout(text, base);
        QTextOption option(ToQt(paragraph.Alignment < 0 ? defaultAlignment : paragraph.Alignment));
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.setFormats(formats);
        layout.beginLayout();
        qreal h = 0;
        while (true) {
            QTextLine line = layout.createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(width);
            line.setPosition(QPointF(0, h));
            h += line.height();
            if (y + h > device.bottom() + 1)
                break;
        }
        layout.endLayout();
        if (text.isEmpty())
            h = QFontMetrics(base).height();
        painter.setPen(baseColor);
        layout.draw(&painter, QPointF(device.left(), y));
        y += h;
    }
}
