#pragma once

// How a font lays out text, shared by measuring and drawing so the two always
// agree. The screens were designed with the platform's faces, whose widths the
// stand-in faces do not have, so two faces follow the platform's rules:
// - the Song faces ("宋体" and its kin) advance by the Chinese code page's cells:
//   a character that is double-byte there is one em wide, a single-byte one half;
// - "Tahoma" takes the characters it lacks from the linked Song face, at the size
//   the platform links it with (12 pixels for an 11-pixel Tahoma, in proportion
//   for other heights), again one cell per character.
// Both are laid out character by character without kerning, as the platform's
// plain text output does. Other faces keep the window layer's own shaping.

#include <memory>
#include <vector>

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QRawFont>
#include <QString>

class TFont;

class FontFaces {
public:
    explicit FontFaces(const TFont& font);
    FontFaces(const FontFaces&) = delete;
    FontFaces& operator=(const FontFaces&) = delete;

    // A piece of text drawn in one face with its cell's left edge at x.
    struct Run {
        int face; // 0: the primary face, 1: the linked Song face
        int x;
        QString text;
    };
    std::vector<Run> Layout(const QString& text) const;
    // Layout as one run per character, each at its place in the shaped text
    // (for drawing the text enlarged without drifting from its measure).
    std::vector<Run> CharacterLayout(const QString& text) const;
    int Advance(const QString& text) const;

    // Drawing faces: without underline and strike-out, which the canvas draws
    // itself inside the cell.
    const QFont& Face(int index) const { return index == 1 ? song_ : primary_; }
    const QFontMetrics& Metrics() const { return *metrics_; }

    int Ascent() const { return ascent_; }
    int Descent() const { return descent_; }
    int Height() const { return ascent_ + descent_; }
    // The em size in pixels of the primary face.
    int PixelSize() const { return pixels_; }
    // Rows of the underline and strike-out inside the cell, and their thickness.
    int UnderlineTop() const { return underlineTop_; }
    int StrikeOutTop() const { return strikeTop_; }
    int LineThickness() const { return thick_; }
    bool Underline() const { return underline_; }
    bool StrikeOut() const { return strike_; }

    // The linked face's height for a Tahoma of the given pixel height.
    static int LinkedSongPixels(int pixels);
    // Cell width of one character of a Song face of the given em size.
    static int SongCellWidth(char32_t c, int pixels);

private:
    enum Kind { kPlain, kSongCells, kLinkedSong };
    int CharAdvance(char32_t c, int& face) const;

    Kind kind_ = kPlain;
    QFont primary_;
    QFont song_;
    std::unique_ptr<QFontMetrics> metrics_;
    std::unique_ptr<QFontMetrics> songMetrics_;
    QRawFont raw_; // the primary face alone, without the window layer's fallbacks
    int pixels_ = 11;
    int songPixels_ = 12;
    int ascent_ = 0, descent_ = 0;
    int underlineTop_ = 0, strikeTop_ = 0, thick_ = 1;
    bool underline_ = false, strike_ = false;
    mutable QHash<char32_t, int> advances_; // primary face, per character
};
