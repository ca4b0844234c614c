#include <gtest/gtest.h>

#include <QImage>

#include "grid/viewgrid/DrawSymbol.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Canvas.h"
#include "support/Pixels.h"

namespace {

const QString kPhi = QString(QChar(BarDiameterSign));

using canvastest::inkBox;
using canvastest::surface;

TEST(DrawSymbolManager, UnitsAreAskedBeforeBarDiameters)
{
    TDrawSymbolManager& m = TDrawSymbolManager::Instance();
    ASSERT_EQ(m.Count(), 2);
    EXPECT_STREQ(m.Item(0).Name, "TMeterDrawSymbol");
    m.Register(TMeterDrawSymbol::Class);
    EXPECT_EQ(m.Count(), 2) << "no duplicates";
    const struct {
        QString text;
        int index;
    } cases[] = {{"12.5m2", 0}, {"3M3", 0},          {"3#", 0},          {kPhi + "A20", 1}, {kPhi + "N8", 1},
                 {kPhi + "20", -1}, {kPhi, -1},      {kPhi + "A", 1},    {kPhi + "A20m2", 0}, {"m", -1},
                 {"", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(m.Find(c.text), c.index) << c.text.toStdString();
}

TEST(DrawSymbolManager, BadAlignmentIsRefused)
{
    QImage img = surface(60, 20);
    TCanvas canvas(img);
    bool handled = false;
    EXPECT_THROW(TDrawSymbolManager::Instance().Draw(canvas, 100, handled, Rect(0, 0, 60, 20), 3, "5m2"), Exception);
    EXPECT_EQ(canvas.Brush().Style(), bsSolid) << "the brush is restored";
}

TEST(BarDiameterSymbol, PictureAtTheAlignedEdgeAndTextBeside)
{
    TBitmap picture;
    ASSERT_TRUE(picture.LoadFromFile(":/symbols/SDIAA.bmp"));
    ASSERT_EQ(picture.Width(), 13);
    ASSERT_EQ(picture.Height(), 13);
    for (int alignment : {0, 1, 2}) {
        QImage img = surface(80, 20);
        TCanvas canvas(img);
        canvas.Font().SetName("Tahoma");
        bool handled = false;
        TDrawSymbolManager::Instance().Draw(canvas, 100, handled, Rect(5, 2, 75, 18), alignment, kPhi + "A20");
        ASSERT_TRUE(handled);
        const int left = alignment == 0 ? 5 : (alignment == 1 ? 75 - 13 : (5 + 75 - 13) / 2);
        const TCanvas& source = picture.Canvas();
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_EQ(canvas.Pixels(left + x, 2 + y), source.Pixels(x, y)) << alignment << ": " << x << "," << y;
        // The digits lie beside the picture, never over it.
        const int digits = canvas.TextWidth("20");
        QImage rest = img.copy(0, 0, 80, 20);
        for (int y = 2; y < 15; ++y)
            for (int x = left; x < left + 13; ++x)
                rest.setPixel(x, y, qRgb(255, 255, 255));
        const TRect ink = inkBox(rest);
        if (alignment == 1) {
            EXPECT_LE(ink.Right, left);
            EXPECT_GE(ink.Left, left - digits);
        } else {
            EXPECT_GE(ink.Left, left + 13);
            EXPECT_LE(ink.Right, left + 13 + digits);
        }
    }
}

TEST(MeterSymbol, RaisedSmallDigitAfterTheM)
{
    QImage plain = surface(80, 30);
    QImage symbol = surface(80, 30);
    TCanvas a(plain);
    TCanvas b(symbol);
    for (TCanvas* c : {&a, &b})
        c->Font().SetName("Tahoma");
    a.TextOut(2, 2, "5m");
    bool handled = false;
    TDrawSymbolManager::Instance().Draw(b, 100, handled, Rect(2, 2, 80, 30), 0, "5m2");
    ASSERT_TRUE(handled);
    // "5m" is drawn as plain text; the small "2" follows, no lower than the text.
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 2 + a.TextWidth("5m"); ++x)
            ASSERT_EQ(plain.pixel(x, y), symbol.pixel(x, y)) << x << "," << y;
    const TRect all = inkBox(symbol);
    const TRect text = inkBox(plain);
    EXPECT_GT(all.Right, text.Right);
    EXPECT_LE(all.Bottom, text.Bottom);
    EXPECT_EQ(all.Right - 2 <= TMeterDrawSymbol::PlaceholderWidth(b) + b.TextWidth("5"), true);
}

TEST(MeterSymbol, WrapsAtTheCharacterThatDoesNotFitAndRightAligns)
{
    QImage img = surface(120, 60);
    TCanvas canvas(img);
    canvas.Font().SetName("Tahoma");
    const int w3 = canvas.TextWidth("123");
    const TRect r{10, 0, 10 + w3, 60};
    bool handled = false;
    TDrawSymbolManager::Instance().Draw(canvas, 100, handled, r, 1, "123456#");
    const TRect ink = inkBox(img);
    const int lineHeight = canvas.TextHeight("1");
    EXPECT_GT(ink.Bottom, lineHeight) << "a second line";
    EXPECT_LE(ink.Bottom, 3 * lineHeight) << "at most three lines";
    EXPECT_LE(ink.Right, r.Right);

    // A width smaller than one character draws nothing.
    QImage empty = surface(40, 20);
    TCanvas narrow(empty);
    narrow.Font().SetName("Tahoma");
    TDrawSymbolManager::Instance().Draw(narrow, 100, handled, Rect(0, 0, 2, 20), 0, "m2");
    EXPECT_TRUE(handled);
    EXPECT_TRUE(inkBox(empty).IsEmpty());
    // A lone "m2" and a last character that just fills the width stay on one line.
    const int unit = TMeterDrawSymbol::PlaceholderWidth(narrow);
    TDrawSymbolManager::Instance().Draw(narrow, 100, handled, Rect(0, 0, unit, 20), 0, "m2");
    EXPECT_LE(inkBox(empty).Bottom, narrow.TextHeight("m"));
    EXPECT_FALSE(inkBox(empty).IsEmpty());
}

TEST(MeterSymbol, WorkTextPlaceholders)
{
    EXPECT_EQ(TMeterDrawSymbol::WorkText("12m2 3M3 m"), QString("12") + QChar(MeterSquarePlaceholder) + " 3" +
                                                            QChar(MeterCubePlaceholder) + " m");
}

} // namespace
