#include "grid/richtext/RichSymbolDraw.h"

#include <cstdlib>

#include "grid/richtext/RichTextReader.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/WinControl.h"

TCustomRichDraw::TCustomRichDraw(TComponent* owner) : TComponent(owner)
{
    if (!dynamic_cast<TWinControl*>(owner))
        throw EAssertionFailed("Assertion failed: a rich-text drawer needs a windowed owner");
    font_.SetName(QStringLiteral("宋体"));
    font_.SetSize(9);
    font_.SetColor(clBlack);
    font_.SetStyle(0);
}

void TCustomRichDraw::SetFont(const TFont* font)
{
    if (!font)
        throw EAssertionFailed("Assertion failed: a rich-text drawer needs a font");
    if (!font_.SameAs(*font))
        font_.Assign(font);
}

void TCustomRichDraw::SetAlignment(TRichAlignment value)
{
    if (value > raCenter)
        throw EAssertionFailed("Assertion failed: rich-text alignment out of range");
    alignment_ = value;
}

void TCustomRichDraw::Draw(TCanvas& canvas, const QString& text, const TRect& rect)
{
    // Sizes are drawn as character heights whatever their sign.
    if (font_.Height() > 0)
        font_.SetHeight(-font_.Height());
    TRichTextDocument document = ReadRichText(text);
    Convert(document);
    DrawRichText(canvas, document, rect, font_, alignment_, backColor_);
}

void TRichSymbolDraw::Convert(TRichTextDocument& document)
{
    if (!convertSymbols_)
        return;
    for (TRichTextParagraph& p : document) {
        std::vector<TRichTextRun> runs;
        for (TRichTextRun& run : p.Runs) {
            const QString& t = run.Text;
            qsizetype from = 0;
            for (qsizetype i = 0; i + 1 < t.size(); ++i) {
                if ((t[i] == u'm' || t[i] == u'M') && (t[i + 1] == u'2' || t[i + 1] == u'3') && run.Script == 0) {
                    TRichTextRun before = run;
                    before.Text = t.mid(from, i + 1 - from);
                    runs.push_back(before);
                    TRichTextRun digit = run;
                    digit.Text = t.mid(i + 1, 1);
                    digit.Script = 1;
                    runs.push_back(digit);
                    from = i + 2;
                    ++i;
                }
            }
            if (from == 0) {
                runs.push_back(std::move(run));
            } else if (from < t.size()) {
                TRichTextRun rest = run;
                rest.Text = t.mid(from);
                runs.push_back(std::move(rest));
            }
        }
        p.Runs = std::move(runs);
    }
}
