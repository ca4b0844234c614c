#pragma once

// Exact-pixel checks written as tables of (x, y, colour).

#include <initializer_list>
#include <source_location>

#include <gtest/gtest.h>

#include "support/Pixels.h"

struct ExpectedPixel {
    int x, y;
    TColor color;
};

// Each pixel must have its colour value; a mismatch names the pixel and the calling line.
inline void ExpectPixels(const QImage& img, std::initializer_list<ExpectedPixel> pixels,
                         std::source_location where = std::source_location::current())
{
    const testing::ScopedTrace trace(where.file_name(), static_cast<int>(where.line()), "pixel table");
    for (const ExpectedPixel& p : pixels)
        EXPECT_EQ(At(img, p.x, p.y), p.color) << "pixel " << p.x << "," << p.y;
}
