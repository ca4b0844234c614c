#pragma once

// The rich-text drawers of cells: the value is read as rich text (or plain
// text) and drawn into a rectangle with the drawer's default font, alignment
// and background.

#include <memory>

#include <QString>

#include "platform/framework/Component.h"
#include "platform/canvas/text/Font.h"
#include "platform/canvas/text/RichTextLayout.h"

class TCanvas;

class TCustomRichDraw : public TComponent {
public:
    // The owner must be a windowed control.
    explicit TCustomRichDraw(TComponent* owner);
    const char* ClassName() const override { return "TCustomRichDraw"; }

    TFont& Font() { return font_; }
    // Copies the font unless it is the same already; a null font is a programming error.
    void SetFont(const TFont* font);
    TRichAlignment Alignment() const { return alignment_; }
    void SetAlignment(TRichAlignment value);
    // clNone: no background is painted.
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor value) { backColor_ = value; }

    virtual void Draw(TCanvas& canvas, const QString& text, const TRect& rect);

protected:
    // The document as drawn; descendants may rework it.
    virtual void Convert(TRichTextDocument& document) {}

private:
    TFont font_;
    TColor backColor_ = clNone;
    TRichAlignment alignment_ = raLeft;
};

class TRichTextDraw : public TCustomRichDraw {
public:
    using TCustomRichDraw::TCustomRichDraw;
    const char* ClassName() const override { return "TRichTextDraw"; }
};

// Optionally shows "m2"/"m3" (and "M2"/"M3") with the digit raised.
class TRichSymbolDraw : public TRichTextDraw {
public:
    using TRichTextDraw::TRichTextDraw;
    const char* ClassName() const override { return "TRichSymbolDraw"; }

    bool ConvertSymbols() const { return convertSymbols_; }
    void SetConvertSymbols(bool value) { convertSymbols_ = value; }

protected:
    void Convert(TRichTextDocument& document) override;

private:
    bool convertSymbols_ = true;
};
