#include "platform/canvas/pictures/VectorPictureWriter.h"

#include <cmath>

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QtSvg/QSvgGenerator>

#include "platform/canvas/Canvas.h"

namespace {

constexpr int kPixelsPerInch = 96;

bool PaintOn(QPaintDevice& device, int width, int height, const std::function<bool(TCanvas&)>& paint,
             const QString& path)
{
    QPainter painter;
    if (!painter.begin(&device))
        throw EFileError(QStringLiteral("cannot draw into %1").arg(path));
    bool whole = false;
    {
        TCanvas canvas(painter, width, height);
        whole = paint(canvas);
    }
    // Ended either way: the device lets go of the temporary file, which a cancel then removes.
    if (!painter.end() && whole)
        throw EFileError(QStringLiteral("cannot finish the drawing for %1").arg(path));
    return whole;
}

} // namespace

bool SaveVectorPicture(const QString& path, TVectorFormat format, int width, int height, const QString& title,
                       const std::function<bool(TCanvas&)>& paint)
{
    if (width < 1 || height < 1)
        throw EFileError(QStringLiteral("cannot write a drawing of %1 x %2 pixels to %3").arg(width).arg(height).arg(path));
    TSaveFile file(path);
    if (format == TVectorFormat::Pdf) {
        QPdfWriter pdf(file.Device());
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("orgrights"));
        pdf.setResolution(kPixelsPerInch);
        // Page sizes are whole points: rounded up, the page holds the whole drawing.
        const QSizeF points(std::ceil(width * 72.0 / kPixelsPerInch), std::ceil(height * 72.0 / kPixelsPerInch));
        if (!pdf.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point), QPageLayout::Portrait, QMarginsF())))
            throw EFileError(QStringLiteral("cannot make a page of %1 x %2 pixels for %3").arg(width).arg(height).arg(path));
        if (!PaintOn(pdf, width, height, paint, path))
            return false;
    } else {
        QSvgGenerator svg;
        svg.setOutputDevice(file.Device());
        svg.setTitle(title);
        svg.setResolution(kPixelsPerInch);
        svg.setSize(QSize(width, height));
        svg.setViewBox(QRect(0, 0, width, height));
        if (!PaintOn(svg, width, height, paint, path))
            return false;
    }
    file.Commit();
    return true;
}
