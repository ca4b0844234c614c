#pragma once

// The check a signature picture passes before it is stored: PNG, JPEG or BMP,
// at most 1 MB and 2000 x 2000 pixels, and one that decodes.

#include <QByteArray>
#include <QString>

constexpr int MaxSignatureBytes = 1024 * 1024;
constexpr int MaxSignatureSide = 2000;

// What is wrong with the picture, for the user; empty when it may be stored.
QString CheckSignaturePicture(const QByteArray& bytes);
