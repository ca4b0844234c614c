#include <gtest/gtest.h>

#include "platform/Canvas.h"

TEST(CanvasSmoke, shouldDrawALine)
{
    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(0xFFFFFFFF);
    TCanvas c(img);
    c.MoveTo(0, 0);
    c.LineTo(5, 0);
    EXPECT_EQ(c.Pixels(4, 0), clBlack);
    EXPECT_EQ(c.Pixels(5, 0), clWhite);
}
