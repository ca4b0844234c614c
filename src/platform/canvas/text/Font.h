#pragma once

// The framework's font: face, character set, colour, pixel height, style set and
// pitch, with a change notification. Sizes are measured at 96 pixels per inch.

#include <cstdint>

#include <QFont>
#include <QString>

#include "platform/canvas/Color.h"
#include "platform/base/Object.h"

constexpr int PixelsPerInch = 96;

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t; // set of TFontStyle bits

enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };

// Character sets as the stored definitions name them.
enum : uint8_t {
    ANSI_CHARSET = 0,
    DEFAULT_CHARSET = 1,
    SYMBOL_CHARSET = 2,
    SHIFTJIS_CHARSET = 128,
    HANGEUL_CHARSET = 129,
    GB2312_CHARSET = 134,
    CHINESEBIG5_CHARSET = 136,
    OEM_CHARSET = 255,
};

class TFont : public TPersistent {
public:
    TFont();
    TFont(const TFont& other);
    TFont& operator=(const TFont&) = delete;
    const char* ClassName() const override { return "TFont"; }

    void Assign(const TPersistent* source) override;

    const QString& Name() const { return name_; }
    void SetName(const QString& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    // Points at 96 pixels per inch, derived from the height.
    int Size() const;
    void SetSize(int points);
    uint8_t Charset() const { return charset_; }
    void SetCharset(uint8_t charset);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);
    // Escapement in tenths of a degree, counter-clockwise.
    int Orientation() const { return orientation_; }
    void SetOrientation(int tenths);

    // Same face, height, style, pitch, character set and colour.
    bool SameAs(const TFont& other) const;

    TNotifyEvent OnChange;

    // The Qt font that renders this one: the face mapped to an installed face.
    QFont ToQFont() const;
    // The installed face that stands in for a face name of the stored definitions.
    static QString MapFace(const QString& face);
    // Registers the faces the program brings along (Tahoma); true when found.
    // Done at start-up, and on first use by anything that maps a face.
    static bool RegisterFaces();

protected:
    void Changed();

private:
    QString name_;
    int height_;
    int orientation_ = 0;
    TColor color_;
    uint8_t charset_;
    TFontStyles style_ = 0;
    TFontPitch pitch_ = fpDefault;
};

// Platform MulDiv: a * b / c rounded half away from zero.
int MulDiv(int a, int b, int c);
