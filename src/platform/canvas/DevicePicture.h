#pragma once

// Pictures that the framework draws through a TCanvas and hands to a window:
// they are made at the window's resolution (its device pixel ratio, rounded)
// and shown pixel for pixel, so a screen at 200 % gets sharp text rather than
// an enlarged picture.

#include <QImage>
#include <QRect>

class QPainter;
class QPaintDevice;

// Pixels of the screen per logical pixel for a window: its device pixel ratio
// rounded to a whole number, 1 to TCanvas::kMaxScale.
int PaintScaleOf(const QPaintDevice* device);

// A picture of the logical size at the scale.
QImage NewDevicePicture(QSize logical, int scale, QImage::Format format = QImage::Format_RGB32);

// Draws the part source (in the picture's pixels) of a picture made at scale
// into the logical rectangle target of the painter's device.
void DrawDevicePicture(QPainter& painter, const QRect& target, const QImage& picture, const QRect& source, int scale);
