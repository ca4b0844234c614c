#include "platform/canvas/pictures/PngStripWriter.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <zlib.h>

#include "platform/canvas/Canvas.h"

namespace {

constexpr int kChunkSize = 1 << 16;

void PutBigEndian(std::vector<unsigned char>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(v >> shift));
}

} // namespace

struct TPngStripWriter::Private {
    TSaveFile* out = nullptr;
    int width = 0;
    int height = 0;
    int rowsWritten = 0;
    z_stream z{};
    bool zOpen = false;
    std::vector<unsigned char> row;      // filter byte and RGB of one row
    std::vector<unsigned char> deflated; // the pending IDAT payload

    void Chunk(const char* type, const unsigned char* data, size_t size)
    {
        std::vector<unsigned char> head;
        PutBigEndian(head, static_cast<uint32_t>(size));
        head.insert(head.end(), type, type + 4);
        uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
        if (size)
            crc = crc32(crc, data, static_cast<uInt>(size));
        out->Write(reinterpret_cast<const char*>(head.data()), int64_t(head.size()));
        out->Write(reinterpret_cast<const char*>(data), int64_t(size));
        std::vector<unsigned char> tail;
        PutBigEndian(tail, static_cast<uint32_t>(crc));
        out->Write(reinterpret_cast<const char*>(tail.data()), 4);
    }

    // Feeds input to the compressor, writing an IDAT for every full buffer.
    void Deflate(const unsigned char* data, size_t size, int flush)
    {
        z.next_in = const_cast<Bytef*>(data);
        z.avail_in = static_cast<uInt>(size);
        for (;;) {
            const size_t used = deflated.size();
            deflated.resize(kChunkSize);
            z.next_out = deflated.data() + used;
            z.avail_out = static_cast<uInt>(kChunkSize - used);
            const int rc = deflate(&z, flush);
            if (rc == Z_STREAM_ERROR)
                throw EFileError(QStringLiteral("cannot compress the picture for %1").arg(out->Path()));
            deflated.resize(kChunkSize - z.avail_out);
            if (deflated.size() == size_t(kChunkSize)) {
                Chunk("IDAT", deflated.data(), deflated.size());
                deflated.clear();
                continue;
            }
            if (flush == Z_FINISH ? rc == Z_STREAM_END : z.avail_in == 0)
                break;
        }
    }
};

TPngStripWriter::TPngStripWriter(TSaveFile& out, int width, int height) : d(std::make_unique<Private>())
{
    if (width < 1 || height < 1)
        throw EFileError(QStringLiteral("cannot write an empty picture to %1").arg(out.Path()));
    d->out = &out;
    d->width = width;
    d->height = height;
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    out.Write(signature, 8);
    std::vector<unsigned char> ihdr;
    PutBigEndian(ihdr, uint32_t(width));
    PutBigEndian(ihdr, uint32_t(height));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, deflate, adaptive filters, no interlace
    d->Chunk("IHDR", ihdr.data(), ihdr.size());
    if (deflateInit(&d->z, 6) != Z_OK)
        throw EFileError(QStringLiteral("cannot compress the picture for %1").arg(out.Path()));
    d->zOpen = true;
    d->row.resize(1 + size_t(width) * 3);
}

TPngStripWriter::~TPngStripWriter()
{
    if (d->zOpen)
        deflateEnd(&d->z);
}

void TPngStripWriter::WriteRows(const QImage& image, int rows)
{
    if (image.depth() != 32 || image.width() < d->width || rows < 0 || rows > image.height() ||
        rows > d->height - d->rowsWritten)
        throw EFileError(QStringLiteral("the picture's rows do not fit %1").arg(d->out->Path()));
    unsigned char* row = d->row.data();
    for (int y = 0; y < rows; ++y) {
        const auto* src = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        // Filter "Sub": each byte less the same channel of the pixel before. Flat
        // areas, most of a chart or a screen, become runs of zeros.
        row[0] = 1;
        uint32_t prev = 0;
        for (int x = 0; x < d->width; ++x) {
            const uint32_t p = src[x];
            unsigned char* o = row + 1 + size_t(x) * 3;
            o[0] = static_cast<unsigned char>(((p >> 16) & 0xFF) - ((prev >> 16) & 0xFF));
            o[1] = static_cast<unsigned char>(((p >> 8) & 0xFF) - ((prev >> 8) & 0xFF));
            o[2] = static_cast<unsigned char>((p & 0xFF) - (prev & 0xFF));
            prev = p;
        }
        d->Deflate(row, d->row.size(), Z_NO_FLUSH);
    }
    d->rowsWritten += rows;
}

void TPngStripWriter::Finish()
{
    if (d->rowsWritten != d->height)
        throw EFileError(QStringLiteral("the picture for %1 lacks rows").arg(d->out->Path()));
    d->Deflate(nullptr, 0, Z_FINISH);
    if (!d->deflated.empty())
        d->Chunk("IDAT", d->deflated.data(), d->deflated.size());
    d->deflated.clear();
    d->Chunk("IEND", nullptr, 0);
}

bool SavePngInStrips(const QString& path, int width, int height, int scale,
                     const std::function<void(TCanvas&)>& paint, const TProgressHook& progress, int stripHeight)
{
    scale = std::clamp(scale, 1, TCanvas::kMaxScale);
    // Dotted focus rectangles take their dots' phase from the device row: strips
    // that start on even rows keep it the whole picture's.
    stripHeight = std::max(2, stripHeight + (stripHeight & 1));
    if (width < 1 || height < 1 || int64_t(width) * scale > TPngStripWriter::kMaxSide ||
        int64_t(height) * scale > TPngStripWriter::kMaxSide)
        throw EFileError(QStringLiteral("cannot write a picture of %1 x %2 pixels to %3").arg(width).arg(height).arg(path));
    TSaveFile file(path);
    TPngStripWriter png(file, width * scale, height * scale);
    QImage strip(width * scale, std::min(stripHeight, height) * scale, QImage::Format_RGB32);
    if (strip.isNull())
        throw EFileError(QStringLiteral("not enough memory to draw the picture for %1").arg(path));
    for (int top = 0; top < height; top += stripHeight) {
        if (progress && !progress(top, height))
            return false;
        const int rows = std::min(stripHeight, height - top);
        strip.fill(Qt::white);
        TCanvas canvas(strip);
        canvas.SetScale(scale);
        canvas.SetWindowOrg(0, top);
        canvas.SetClipRect({0, top, width, top + rows});
        paint(canvas);
        png.WriteRows(strip, rows * scale);
    }
    if (progress && !progress(height, height))
        return false;
    png.Finish();
    file.Commit();
    return true;
}
