#pragma once

// TBitmap: a memory canvas over an owned image of 24 or 32 bits per pixel (the
// platform's device-independent bitmaps). Both formats are held as 32-bit QImages
// (pf24bit: Format_RGB32, pf32bit: Format_ARGB32), so ScanLine gives 4-byte pixels
// 0xAARRGGBB (QRgb) in either case; the canvas keeps alpha at 0xFF.

#include <cstdint>
#include <memory>
#include <vector>

#include <QImage>
#include <QString>

#include "platform/canvas/Canvas.h"
#include "platform/canvas/Color.h"
#include "platform/base/Object.h"

enum TPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
// tmAuto: the transparent colour is the bottom-left pixel; tmFixed: TransparentColor.
enum TTransparentMode : uint8_t { tmAuto, tmFixed };

// Picture bytes and back, for stored definitions: the one place that knows the
// encodings.
bool DecodePicture(const std::vector<uint8_t>& bytes, QImage& image);
std::vector<uint8_t> EncodePng(const QImage& image);

class TBitmap : public TPersistent {
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = pf24bit);
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    ~TBitmap() override;
    const char* ClassName() const override { return "TBitmap"; }
    // Copies picture, format and transparency from another TBitmap.
    void Assign(const TPersistent* source) override;

    int Width() const;
    int Height() const;
    bool Empty() const;
    void SetWidth(int w);
    void SetHeight(int h);
    // Keeps the old picture at the top-left; new pixels are white. Negative sizes
    // count as 0. A side over kMaxSide or an area over kMaxPixels fails with
    // EInvalidOperation and leaves the bitmap as it was.
    void SetSize(int w, int h);
    static constexpr int kMaxSide = 32767;
    static constexpr int64_t kMaxPixels = 64LL * 1024 * 1024;
    // Pixels of the picture per logical pixel along each axis. 1 for every
    // picture that is read or stored; a bitmap that buffers drawing for a scaled
    // canvas takes that canvas's scale, so its own canvas draws (and its text
    // comes out) at the same resolution: Width, Height and the canvas stay
    // logical, while Image and ScanLine hold Scale() times as many pixels each
    // way. Changing it keeps the size and makes the picture white.
    int Scale() const { return scale_; }
    void SetScale(int scale);
    TPixelFormat PixelFormat() const { return format_; }
    // pf32bit stays 32-bit; every other format is held as pf24bit.
    void SetPixelFormat(TPixelFormat f);

    TCanvas& Canvas();
    const TCanvas& Canvas() const;
    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }
    // Replaces the picture (converted to this bitmap's format); the scale becomes 1.
    void LoadFromImage(const QImage& image);
    // Loads a picture file or resource (":/..."); false when it cannot be read.
    bool LoadFromFile(const QString& path);
    // Reads a picture in any format the platform knows (PNG above all); false,
    // and the bitmap unchanged, when the bytes are not one.
    bool LoadFromData(const std::vector<uint8_t>& bytes);
    // The picture as PNG bytes; empty for an empty bitmap.
    std::vector<uint8_t> SaveToPng() const;

    // Row pointer (QRgb pixels) of the picture; nullptr for a row outside it.
    uint32_t* ScanLine(int row);
    const uint32_t* ScanLine(int row) const;

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool t) { transparent_ = t; }
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode m) { transparentMode_ = m; }
    // tmAuto: the bottom-left pixel (clDefault when empty); tmFixed: as set.
    TColor TransparentColor() const;
    // Setting a colour switches to tmFixed (as in the VCL).
    void SetTransparentColor(TColor c);

    TNotifyEvent OnChange;

private:
    QImage::Format QtFormat() const;
    QImage image_;
    std::unique_ptr<TCanvas> canvas_;
    TPixelFormat format_ = pf24bit;
    int scale_ = 1;
    bool transparent_ = false;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clDefault;
};
