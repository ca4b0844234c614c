#include "platform/framework/ControlSurface.h"

#include <algorithm>
#include <cstring>

void ControlSurface::Resize(int width, int height, int scale)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    scale = std::max(scale, 1);
    if (width_ == width && height_ == height && scale_ == scale)
        return;
    width_ = width;
    height_ = height;
    scale_ = scale;
    valid_ = QRegion();
    invalid_ = QRegion(0, 0, width, height);
}

QImage& ControlSurface::Allocated() const
{
    if (image_.width() != width_ * scale_ || image_.height() != height_ * scale_) {
        image_ = width_ > 0 && height_ > 0 ? QImage(width_ * scale_, height_ * scale_,
                                                    opaque_ ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied)
                                           : QImage();
        image_.fill(opaque_ ? Qt::white : Qt::transparent);
    }
    return image_;
}

QRegion ControlSurface::TakeDirty(const QRegion& region)
{
    const QRegion bounds(0, 0, width_, height_);
    QRegion dirty = (invalid_ + (region - valid_)) & bounds;
    invalid_ = QRegion();
    return dirty;
}

void ControlSurface::Scroll(int dx, int dy, const QRect& scroll, const QRect& clip, QRegion& uncovered)
{
    const QRect area = scroll & clip & QRect(0, 0, width_, height_);
    if (area.isEmpty() || (dx == 0 && dy == 0))
        return;
    Allocated();
    const QRect target = area.translated(dx, dy) & area;
    if (!target.isEmpty()) {
        // In place, row by row, in the order that reads every source row before
        // it is overwritten (both formats are 32 bits a pixel); in the
        // picture's own pixels.
        const int k = scale_;
        const QRect to(target.topLeft() * k, target.size() * k);
        const int ddy = dy * k;
        const QRect source = to.translated(-dx * k, -ddy);
        uchar* bits = image_.bits();
        const qsizetype bpl = image_.bytesPerLine();
        const size_t bytes = size_t(to.width()) * 4;
        auto moveRow = [&](int y) {
            std::memmove(bits + y * bpl + to.left() * 4, bits + (y - ddy) * bpl + source.left() * 4, bytes);
        };
        if (ddy > 0)
            for (int y = to.bottom(); y >= to.top(); --y)
                moveRow(y);
        else
            for (int y = to.top(); y <= to.bottom(); ++y)
                moveRow(y);
    }
    // Pending invalid parts travel with the pixels they belong to.
    const QRegion movedInvalid = (invalid_ & area).translated(dx, dy) & area;
    invalid_ = (invalid_ - area) + movedInvalid;
    valid_ = (valid_ - area) + ((valid_ & area).translated(dx, dy) & area);
    uncovered = QRegion(area) - QRegion(target);
    invalid_ += uncovered;
}
