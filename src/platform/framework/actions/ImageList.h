#pragma once

// A list of pictures of one size that controls draw by index.

#include <functional>
#include <vector>

#include <QImage>

#include "platform/framework/Component.h"
#include "platform/base/Types.h"

class TCanvas;

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;
    const char* ClassName() const override { return "TImageList"; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changing the size empties the list. Sizes run from 1 to 256.
    void SetWidth(int v);
    void SetHeight(int v);

    int Count() const { return static_cast<int>(images_.size()); }
    // Adds a picture, scaled to the list's size when it differs; returns its index.
    int Add(const QImage& image);
    void Delete(int index);
    void Clear();
    // The picture at index (ARGB); EListError for an index out of range.
    const QImage& Image(int index) const;
    // The picture as drawn when disabled: grey and faded.
    QImage DisabledImage(int index) const;
    // Draws the picture with its top-left at (x, y); an index out of range draws
    // nothing (controls pass -1 for "no picture").
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    // Draws the picture stretched (nearest pixel) to fill r.
    void StretchDraw(TCanvas& canvas, const TRect& r, int index) const;

    // All pictures side by side in one strip, and back; used to store the list.
    QImage Strip() const;
    // Fails with EInvalidOperation unless the strip's height is Height and its
    // width a multiple of Width.
    void SetStrip(const QImage& strip);
    // The strip as picture bytes (PNG when written). Reading answers false for
    // bytes that are no picture; a picture of the wrong size fails as SetStrip.
    bool LoadStripFromData(const std::vector<uint8_t>& bytes);
    std::vector<uint8_t> StripAsPng() const;

    // Controls that draw from the list hear of every change; destroyed is true
    // when the list goes away.
    void AddChangeListener(const void* key, std::function<void(bool destroyed)> fn);
    void RemoveChangeListener(const void* key);

private:
    void Changed(bool destroyed = false);

    int width_ = 16;
    int height_ = 16;
    std::vector<QImage> images_;
    std::vector<std::pair<const void*, std::function<void(bool)>>> listeners_;
};
