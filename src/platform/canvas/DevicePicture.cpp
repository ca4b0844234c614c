#include "platform/canvas/DevicePicture.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

#include "platform/canvas/Canvas.h"

int PaintScaleOf(const QPaintDevice* device)
{
    if (!device)
        return 1;
    return std::clamp(int(std::lround(device->devicePixelRatioF())), 1, TCanvas::kMaxScale);
}

QImage NewDevicePicture(QSize logical, int scale, QImage::Format format)
{
    return QImage(logical * std::max(1, scale), format);
}

void DrawDevicePicture(QPainter& painter, const QRect& target, const QImage& picture, const QRect& source, int scale)
{
    if (scale == 1) {
        painter.drawImage(target.topLeft(), picture, source);
        return;
    }
    // On a device of the picture's ratio the target covers exactly the source's
    // pixels, so nothing is resampled.
    painter.drawImage(QRectF(target), picture, QRectF(source));
}
