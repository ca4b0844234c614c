#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "platform/canvas/Canvas.h"
#include "platform/canvas/pictures/PngStripWriter.h"
#include "support/Errors.h"

namespace {

// Lines, shapes, a dashed pen and text across the whole picture, so that
// every strip boundary cuts through something.
void PaintPattern(TCanvas& canvas, int w, int h)
{
    canvas.Brush().SetColor(RGBColor(250, 240, 200));
    canvas.FillRect({0, 0, w, h});
    canvas.Pen().SetColor(clNavy);
    canvas.Pen().SetStyle(psDash);
    canvas.MoveTo(0, 0);
    canvas.LineTo(w, h);
    canvas.Pen().SetStyle(psSolid);
    canvas.Brush().SetColor(clMaroon);
    canvas.Ellipse(5, 3, w - 7, h - 2);
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetName(QStringLiteral("宋体"));
    canvas.Font().SetHeight(-12);
    for (int y = 0; y < h; y += 9)
        canvas.TextOut(y % 23, y, QStringLiteral("组织 chart %1").arg(y));
}

QImage PaintedAtOnce(int w, int h, int scale)
{
    QImage image(w * scale, h * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(image);
    canvas.SetScale(scale);
    PaintPattern(canvas, w, h);
    return image;
}

} // namespace

TEST(PngStripWriter, StripsGiveThePictureThatIsPaintedAtOnce)
{
    QTemporaryDir dir;
    struct Case {
        int w, h, scale, strip;
    } cases[] = {
        {120, 90, 1, 256}, {120, 90, 1, 7}, {120, 90, 1, 1}, {120, 90, 2, 13}, {1, 1, 1, 5}, {333, 41, 2, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " scale " << c.scale << " strip " << c.strip);
        const QString path = dir.filePath(QStringLiteral("p.png"));
        int strips = 0;
        ASSERT_TRUE(SavePngInStrips(
            path, c.w, c.h, c.scale,
            [&](TCanvas& canvas) {
                ++strips;
                PaintPattern(canvas, c.w, c.h);
            },
            {}, c.strip));
        const int even = std::max(2, c.strip + c.strip % 2);
        EXPECT_EQ(strips, (c.h + even - 1) / even);
        const QImage written(path);
        ASSERT_FALSE(written.isNull());
        EXPECT_TRUE(written.convertToFormat(QImage::Format_RGB32) == PaintedAtOnce(c.w, c.h, c.scale));
    }
}

TEST(PngStripWriter, CancelOrFailureLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.png"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    auto paint = [](TCanvas& canvas) { PaintPattern(canvas, 50, 50); };
    // Cancelled half way, and at the very end.
    for (int stopAt : {20, 50}) {
        const bool done = SavePngInStrips(
            path, 50, 50, 1, paint, [&](int64_t rows, int64_t) { return rows < stopAt; }, 10);
        EXPECT_FALSE(done);
    }
    // A paint that throws.
    EXPECT_EQ(ErrorOf([&] {
                  SavePngInStrips(path, 50, 50, 1, [](TCanvas&) { throw EFileError("painting failed"); });
              }),
              "painting failed");
    QFile kept(path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("p.png")});
}

TEST(PngStripWriter, BadCallsAreRefusedWithAMessage)
{
    QTemporaryDir dir;
    const QString missingFolder = dir.filePath(QStringLiteral("no/such/p.png"));
    EXPECT_NE(ErrorOf([&] { SavePngInStrips(missingFolder, 5, 5, 1, [](TCanvas&) {}); }).find("cannot write"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { SavePngInStrips(dir.filePath("e.png"), 0, 5, 1, [](TCanvas&) {}); }).find("0 x 5"),
              std::string::npos);

    const QString path = dir.filePath(QStringLiteral("rows.png"));
    TSaveFile file(path);
    TPngStripWriter png(file, 4, 3);
    QImage rows(4, 2, QImage::Format_RGB32);
    rows.fill(Qt::black);
    png.WriteRows(rows, 2);
    EXPECT_NE(ErrorOf([&] { png.WriteRows(rows, 2); }).find("do not fit"), std::string::npos);
    EXPECT_NE(ErrorOf([&] { png.Finish(); }).find("lacks rows"), std::string::npos);
    QImage narrow(3, 1, QImage::Format_RGB32);
    EXPECT_NE(ErrorOf([&] { png.WriteRows(narrow, 1); }).find("do not fit"), std::string::npos);
}
