#pragma once

// Vector drawings as files: a canvas whose calls become PDF or SVG shapes and
// text (TCanvas's vector back end), one page or document the drawing's size at
// 96 pixels per inch.

#include <functional>

#include <QString>

#include "platform/base/SaveFile.h"

class TCanvas;

enum class TVectorFormat { Pdf, Svg };

// Paints a drawing of width x height logical pixels through paint and writes
// it to path through a temporary file. paint answers false when the work was
// cancelled part way: nothing is then written (an old file stays as it was)
// and false is returned. Throws EFileError when the file cannot be written or
// the size is not positive.
bool SaveVectorPicture(const QString& path, TVectorFormat format, int width, int height, const QString& title,
                       const std::function<bool(TCanvas&)>& paint);
