#pragma once

// PNG files of pictures too large to hold at once: the picture is painted and
// encoded one strip of rows at a time, so a 32,767-pixel-square chart needs a
// strip's memory, not gigabytes. Rows are stored as 8-bit RGB.

#include <functional>
#include <memory>

#include <QImage>

#include "platform/base/SaveFile.h"

class TCanvas;

class TPngStripWriter {
public:
    // PNG's own limit is 2^31 - 1 a side; the callers keep far below it.
    static constexpr int kMaxSide = 0x7FFFFFFF;
    // Writes the header; width and height are the picture's pixels (at least 1).
    TPngStripWriter(TSaveFile& out, int width, int height);
    TPngStripWriter(const TPngStripWriter&) = delete;
    TPngStripWriter& operator=(const TPngStripWriter&) = delete;
    ~TPngStripWriter();

    // The picture's next rows: the first rows of image, read from its left edge
    // (image at least the picture's width; 32-bit formats).
    void WriteRows(const QImage& image, int rows);
    // Ends the picture; throws EFileError unless every row was written.
    void Finish();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Paints a picture of width x height logical pixels in strips and writes it to
// path as PNG at the given scale (device pixels per logical pixel, as
// TCanvas::SetScale). Each strip gets a fresh canvas whose logical coordinates
// are the picture's and whose clip is the strip; paint draws what the clip
// shows. Strips are an even number of rows high. progress (rows done, rows) may cancel: then no file is left behind
// and false is returned. Throws EFileError when the file cannot be written.
bool SavePngInStrips(const QString& path, int width, int height, int scale,
                     const std::function<void(TCanvas&)>& paint, const TProgressHook& progress = {},
                     int stripHeight = 256);
