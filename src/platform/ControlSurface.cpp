#include "platform/ControlSurface.h"

#include <QPainter>

void ControlSurface::Resize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (image_.width() == width && image_.height() == height)
        return;
    image_ = QImage(width, height, opaque_ ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image_.fill(opaque_ ? Qt::white : Qt::transparent);
    valid_ = QRegion();
    invalid_ = QRegion(0, 0, width, height);
}

QRegion ControlSurface::TakeDirty(const QRegion& region)
{
    const QRegion bounds(image_.rect());
    QRegion dirty = (invalid_ + (region - valid_)) & bounds;
    invalid_ = QRegion();
    return dirty;
}

void ControlSurface::Scroll(int dx, int dy, const QRect& scroll, const QRect& clip, QRegion& uncovered)
{
    const QRect area = scroll & clip & image_.rect();
    if (area.isEmpty() || (dx == 0 && dy == 0))
        return;
    const QRect target = area.translated(dx, dy) & area;
    if (!target.isEmpty()) {
        // Copy through a temporary: source and target overlap.
        const QImage moved = image_.copy(target.translated(-dx, -dy));
        QPainter p(&image_);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(target.topLeft(), moved);
    }
    // Pending invalid parts travel with the pixels they belong to.
    const QRegion movedInvalid = (invalid_ & area).translated(dx, dy) & area;
    invalid_ = (invalid_ - area) + movedInvalid;
    valid_ = (valid_ - area) + ((valid_ & area).translated(dx, dy) & area);
    uncovered = QRegion(area) - QRegion(target);
    invalid_ += uncovered;
}
