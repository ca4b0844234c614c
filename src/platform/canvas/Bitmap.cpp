#include "platform/canvas/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <list>

#include <QBuffer>
#include <QPainter>

#include "platform/base/AppContext.h"

namespace {

// Screens are rebuilt from their stored definitions each time they open, and
// decoding the same few pictures (image-list strips, glyphs) again was a good
// part of that: the pictures decoded last are kept by their bytes. A kept
// picture is shared; whoever changes a copy changes only the copy.
struct DecodedPictureCache {
    struct Entry {
        std::vector<uint8_t> bytes;
        QImage image;
    };
    static constexpr size_t kMaxEntries = 64;
    static constexpr qsizetype kMaxPixelBytes = 16 << 20;

    std::list<Entry> recent; // the last one used first
    qsizetype pixelBytes = 0;

    const QImage* Find(const std::vector<uint8_t>& bytes)
    {
        for (auto it = recent.begin(); it != recent.end(); ++it)
            if (it->bytes.size() == bytes.size() && std::memcmp(it->bytes.data(), bytes.data(), bytes.size()) == 0) {
                recent.splice(recent.begin(), recent, it);
                return &recent.front().image;
            }
        return nullptr;
    }

    void Keep(const std::vector<uint8_t>& bytes, const QImage& image)
    {
        if (image.sizeInBytes() > kMaxPixelBytes)
            return;
        recent.push_front({bytes, image});
        pixelBytes += image.sizeInBytes();
        while (recent.size() > kMaxEntries || pixelBytes > kMaxPixelBytes) {
            pixelBytes -= recent.back().image.sizeInBytes();
            recent.pop_back();
        }
    }
};

} // namespace

bool DecodePicture(const std::vector<uint8_t>& bytes, QImage& image)
{
    if (bytes.empty())
        return false;
    auto& cache = AppContext().State<DecodedPictureCache>();
    if (const QImage* kept = cache.Find(bytes)) {
        image = *kept;
        return true;
    }
    QImage read;
    if (!read.loadFromData(bytes.data(), static_cast<int>(bytes.size())))
        return false;
    cache.Keep(bytes, read);
    image = std::move(read);
    return true;
}

std::vector<uint8_t> EncodePng(const QImage& image)
{
    if (image.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return std::vector<uint8_t>(png.begin(), png.end());
}

TBitmap::TBitmap() : canvas_(std::make_unique<TCanvas>(image_)) {}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : TBitmap()
{
    format_ = format == pf32bit ? pf32bit : pf24bit;
    SetSize(width, height);
}

TBitmap::~TBitmap() = default;

QImage::Format TBitmap::QtFormat() const
{
    return format_ == pf32bit ? QImage::Format_ARGB32 : QImage::Format_RGB32;
}

void TBitmap::Assign(const TPersistent* source)
{
    if (auto* b = dynamic_cast<const TBitmap*>(source)) {
        if (b == this)
            return;
        format_ = b->format_;
        scale_ = b->scale_;
        image_ = b->image_.copy();
        transparent_ = b->transparent_;
        transparentMode_ = b->transparentMode_;
        transparentColor_ = b->transparentColor_;
        canvas_->SetTarget(&image_);
        canvas_->SetScale(scale_);
        OnChange(this);
        return;
    }
    TPersistent::Assign(source);
}

int TBitmap::Width() const { return image_.isNull() ? 0 : image_.width() / scale_; }
int TBitmap::Height() const { return image_.isNull() ? 0 : image_.height() / scale_; }
bool TBitmap::Empty() const { return Width() <= 0 || Height() <= 0; }

void TBitmap::SetWidth(int w) { SetSize(w, Height()); }
void TBitmap::SetHeight(int h) { SetSize(Width(), h); }

void TBitmap::SetSize(int w, int h)
{
    w = std::max(0, w);
    h = std::max(0, h);
    if (w == Width() && h == Height())
        return;
    const int64_t dw = int64_t(w) * scale_, dh = int64_t(h) * scale_;
    if (w > 0 && h > 0 && (dw > kMaxSide || dh > kMaxSide || dw * dh > kMaxPixels))
        throw EInvalidOperation("Bitmap size " + std::to_string(w) + " x " + std::to_string(h) + " is too large");
    QImage next;
    if (w > 0 && h > 0) {
        next = QImage(w * scale_, h * scale_, QtFormat());
        if (next.isNull())
            throw EInvalidOperation("Out of memory for a bitmap of " + std::to_string(w) + " x " + std::to_string(h));
        next.fill(0xFFFFFFFFu);
    }
    if (!next.isNull() && !image_.isNull()) {
        const int cw = std::min(next.width(), image_.width()), ch = std::min(next.height(), image_.height());
        const QImage old = image_.format() == next.format() ? image_ : image_.convertToFormat(next.format());
        for (int y = 0; y < ch; ++y)
            std::copy_n(reinterpret_cast<const uint32_t*>(old.constScanLine(y)), cw,
                        reinterpret_cast<uint32_t*>(next.scanLine(y)));
    }
    image_ = next;
    canvas_->SetTarget(&image_);
    OnChange(this);
}

void TBitmap::SetScale(int scale)
{
    scale = std::clamp(scale, 1, TCanvas::kMaxScale);
    if (scale == scale_)
        return;
    const int w = Width(), h = Height(), old = scale_;
    QImage picture = image_;
    scale_ = scale;
    image_ = QImage();
    try {
        SetSize(w, h);
    } catch (...) {
        scale_ = old;
        image_ = picture;
        canvas_->SetTarget(&image_);
        throw;
    }
    canvas_->SetScale(scale_);
}

void TBitmap::SetPixelFormat(TPixelFormat f)
{
    f = f == pf32bit ? pf32bit : pf24bit;
    if (f == format_)
        return;
    format_ = f;
    if (!image_.isNull()) {
        image_ = image_.convertToFormat(QtFormat());
        if (format_ == pf24bit)
            image_ = image_.convertToFormat(QImage::Format_RGB32);
    }
    canvas_->SetTarget(&image_);
    OnChange(this);
}

TCanvas& TBitmap::Canvas() { return *canvas_; }
const TCanvas& TBitmap::Canvas() const { return *canvas_; }

void TBitmap::LoadFromImage(const QImage& image)
{
    image_ = image.isNull() ? QImage() : image.convertToFormat(QtFormat());
    scale_ = 1;
    canvas_->SetTarget(&image_);
    canvas_->SetScale(1);
    OnChange(this);
}

bool TBitmap::LoadFromFile(const QString& path)
{
    QImage img(path);
    if (img.isNull())
        return false;
    LoadFromImage(img);
    return true;
}

bool TBitmap::LoadFromData(const std::vector<uint8_t>& bytes)
{
    QImage img;
    if (!DecodePicture(bytes, img))
        return false;
    LoadFromImage(img);
    return true;
}

std::vector<uint8_t> TBitmap::SaveToPng() const
{
    return EncodePng(image_);
}

uint32_t* TBitmap::ScanLine(int row)
{
    if (image_.isNull() || row < 0 || row >= image_.height())
        return nullptr;
    return reinterpret_cast<uint32_t*>(image_.scanLine(row));
}

const uint32_t* TBitmap::ScanLine(int row) const
{
    if (image_.isNull() || row < 0 || row >= image_.height())
        return nullptr;
    return reinterpret_cast<const uint32_t*>(image_.constScanLine(row));
}

TColor TBitmap::TransparentColor() const
{
    if (transparentMode_ == tmFixed)
        return transparentColor_;
    if (Empty())
        return clDefault;
    const QRgb p = image_.pixel(0, image_.height() - 1);
    return RGBColor(qRed(p), qGreen(p), qBlue(p));
}

void TBitmap::SetTransparentColor(TColor c)
{
    transparentColor_ = c;
    transparentMode_ = c == clDefault ? tmAuto : tmFixed;
}
