#include "platform/framework/actions/ImageList.h"

#include <QPainter>

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Canvas.h"

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList()
{
    Changed(true);
}

void TImageList::SetWidth(int v)
{
    if (v < 1 || v > 256)
        throw EInvalidOperation(QStringLiteral("Image list width %1 is out of range").arg(v));
    if (Exchange(width_, v))
        Clear();
}

void TImageList::SetHeight(int v)
{
    if (v < 1 || v > 256)
        throw EInvalidOperation(QStringLiteral("Image list height %1 is out of range").arg(v));
    if (Exchange(height_, v))
        Clear();
}

int TImageList::Add(const QImage& image)
{
    QImage img = image.isNull() ? QImage(width_, height_, QImage::Format_ARGB32) : image;
    if (image.isNull())
        img.fill(Qt::transparent);
    if (img.width() != width_ || img.height() != height_)
        img = img.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    images_.push_back(img.convertToFormat(QImage::Format_ARGB32));
    Changed();
    return Count() - 1;
}

void TImageList::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("Image index %1 out of range").arg(index));
    images_.erase(images_.begin() + index);
    Changed();
}

void TImageList::Clear()
{
    if (images_.empty())
        return;
    images_.clear();
    Changed();
}

const QImage& TImageList::Image(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("Image index %1 out of range").arg(index));
    return images_[index];
}

QImage TImageList::DisabledImage(int index) const
{
    QImage img = Image(index);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = line[x];
            // Grey by luminance, pulled half way towards white.
            const int grey = (qRed(p) * 30 + qGreen(p) * 59 + qBlue(p) * 11) / 100;
            const int g = (grey + 255) / 2;
            line[x] = qRgba(g, g, g, qAlpha(p));
        }
    }
    return img;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    canvas.DrawImage(x, y, enabled ? images_[index] : DisabledImage(index));
}

void TImageList::StretchDraw(TCanvas& canvas, const TRect& r, int index) const
{
    if (index < 0 || index >= Count() || r.IsEmpty())
        return;
    const QImage& image = images_[index];
    if (r.Width() == image.width() && r.Height() == image.height())
        canvas.DrawImage(r.Left, r.Top, image);
    else
        canvas.DrawImage(r.Left, r.Top, image.scaled(r.Width(), r.Height()));
}

QImage TImageList::Strip() const
{
    QImage strip(width_ * std::max(1, Count()), height_, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (int i = 0; i < Count(); ++i)
        p.drawImage(i * width_, 0, images_[i]);
    p.end();
    if (Count() == 0)
        return QImage();
    return strip;
}

bool TImageList::LoadStripFromData(const std::vector<uint8_t>& bytes)
{
    QImage strip;
    if (!DecodePicture(bytes, strip))
        return false;
    SetStrip(strip);
    return true;
}

std::vector<uint8_t> TImageList::StripAsPng() const
{
    return Count() == 0 ? std::vector<uint8_t>() : EncodePng(Strip());
}

void TImageList::SetStrip(const QImage& strip)
{
    if (strip.isNull()) {
        Clear();
        return;
    }
    if (strip.height() != height_ || strip.width() % width_ != 0)
        throw EInvalidOperation(QStringLiteral("A picture strip of %1 x %2 does not hold %3 x %4 images")
                                    .arg(strip.width())
                                    .arg(strip.height())
                                    .arg(width_)
                                    .arg(height_));
    const QImage argb = strip.convertToFormat(QImage::Format_ARGB32);
    images_.clear();
    for (int x = 0; x < argb.width(); x += width_)
        images_.push_back(argb.copy(x, 0, width_, height_));
    Changed();
}

void TImageList::AddChangeListener(const void* key, std::function<void(bool)> fn)
{
    RemoveChangeListener(key);
    listeners_.emplace_back(key, std::move(fn));
}

void TImageList::RemoveChangeListener(const void* key)
{
    std::erase_if(listeners_, [key](const auto& l) { return l.first == key; });
}

void TImageList::Changed(bool destroyed)
{
    // A listener may remove itself while it is told.
    const auto copy = listeners_;
    for (const auto& l : copy)
        l.second(destroyed);
}
