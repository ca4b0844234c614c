#pragma once

// The themes other than "Dream" ("Default", "Glass", "Silver", "Stripes",
// "Flat"): flat fills and square frames in a palette chosen by the theme's
// name. The screens never show them; they keep the toolbars tidy when chosen.

#include "chrome/themes/SkinTheme.h"

struct TPlainPalette {
    TColor dock;
    TColor background;
    TColor stripe; // every other row of the background; clNone for none
    TColor hotFill;
    TColor hotFrame;
    TColor pushedFill;
    TColor pushedFrame;
    TColor checkedFill;
    TColor text;
    TColor disabledText;
    TColor separator;
};

class TPlainTheme : public TSkinTheme {
public:
    // The palette is the one of the theme so named ("Default" for names it does not know).
    explicit TPlainTheme(const QString& name);
    static TPlainPalette PaletteFor(const QString& name);

    TSkinStateColors ItemColors(int state) const override;
    void PaintDock(TCanvas& canvas, const TRect& r) const override;
    void PaintToolbarBackground(TCanvas& canvas, const TRect& r) const override;
    void PaintButton(TCanvas& canvas, const TRect& r, const TSkinItemState& s) const override;
    void PaintSeparator(TCanvas& canvas, const TRect& r, bool horizontal) const override;

private:
    TPlainPalette palette_;
};
