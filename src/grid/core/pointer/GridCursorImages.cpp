#include "grid/core/pointer/GridCursorImages.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace {

constexpr int kSize = 32;
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;

// A shape given by a membership test, filled white and outlined black (the
// outline is every member pixel with a non-member 4-neighbour).
void Stamp(TBitmap& image, const std::function<bool(int, int)>& inside)
{
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            if (!inside(x, y))
                continue;
            const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            image.ScanLine(y)[x] = edge ? kBlack : kWhite;
        }
}

std::unique_ptr<TBitmap> Blank()
{
    auto image = std::make_unique<TBitmap>(kSize, kSize, pf32bit);
    for (int y = 0; y < kSize; ++y)
        std::fill_n(image->ScanLine(y), kSize, 0u);
    return image;
}

} // namespace

namespace GridCursorImages {

TPoint FillHotSpot()
{
    return {7, 7};
}

// A plus sign 15 pixels across with arms 5 pixels thick.
std::unique_ptr<TBitmap> Fill()
{
    auto image = Blank();
    Stamp(*image, [](int x, int y) {
        const bool across = x >= 0 && x <= 14 && y >= 5 && y <= 9;
        const bool down = y >= 0 && y <= 14 && x >= 5 && x <= 9;
        return across || down;
    });
    return image;
}

TPoint MoveHotSpot()
{
    return {9, 9};
}

// The arrow's tip is the hot spot; the four-way arrow sits below and right of it.
std::unique_ptr<TBitmap> Move()
{
    auto image = Blank();
    const int cx = 21;
    const int cy = 21;
    Stamp(*image, [cx, cy](int x, int y) {
        const int dx = std::abs(x - cx);
        const int dy = std::abs(y - cy);
        const bool shaftH = dx <= 7 && dy <= 1;
        const bool shaftV = dy <= 7 && dx <= 1;
        // Heads: triangles at the four ends, 3 pixels long.
        const bool headH = dx >= 5 && dx <= 9 && dy <= 9 - dx;
        const bool headV = dy >= 5 && dy <= 9 && dx <= 9 - dy;
        return shaftH || shaftV || headH || headV;
    });
    const int tx = MoveHotSpot().X;
    const int ty = MoveHotSpot().Y;
    Stamp(*image, [tx, ty](int x, int y) {
        const int dx = x - tx;
        const int dy = y - ty;
        const bool head = dy >= 0 && dy <= 10 && dx >= 0 && dx <= dy;
        const bool stem = dy >= 7 && dy <= 13 && dx >= dy / 2 && dx <= dy / 2 + 2;
        return head || stem;
    });
    return image;
}

} // namespace GridCursorImages
