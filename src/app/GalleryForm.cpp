#include "app/GalleryForm.h"

#include <algorithm>

#include "app/GalleryChart.h"
#include "app/GalleryDrawGrid.h"
#include "app/GalleryViewGrid.h"
#include "orgchart/OrgChart.h"
#include "app/GalleryEditorGrid.h"
#include "platform/controls/Label.h"

namespace {

constexpr int kMargin = 8;
constexpr int kTitleHeight = 20;

} // namespace

const std::vector<TGallerySample>& GallerySamples()
{
    static const std::vector<TGallerySample> samples = {
        {QStringLiteral("TTavikCustomDrawGrid: fixed heads, a fixed-edit band, merged heads, a hidden column, "
                        "5000 rows drawn through OnDrawCell"),
         798, 420,
         [](TCustomForm* form, const TRect& bounds) -> TControl* { return MakeGalleryDrawGrid(form, bounds); }},
        {QStringLiteral("TTavikCustomViewGrid: every data type, check boxes, a tree column, merged areas with bound "
                        "lines, symbols, rich text, comments, row numbers and column letters"),
         798, 340,
         [](TCustomForm* form, const TRect& bounds) -> TControl* { return MakeGalleryViewGrid(form, bounds); }},
        {QStringLiteral("TOrgChart: the four shapes, left/centre/right child alignment, the twelve image "
                        "alignments, 3D boxes, a closed node"),
         798, 190,
         [](TCustomForm* form, const TRect& bounds) -> TControl* {
             return MakeGalleryChart(form, bounds, TGalleryChartKind::Shapes);
         }},
        {QStringLiteral("TOrgChart rotated: the same tree laid on its side"), 798, 420,
         [](TCustomForm* form, const TRect& bounds) -> TControl* {
             return MakeGalleryChart(form, bounds, TGalleryChartKind::Rotated);
         }},
        {QStringLiteral("TOrgChart zoomed: a wider tree shrunk to fit, fonts included; open nodes lose their buttons"),
         798, 160,
         [](TCustomForm* form, const TRect& bounds) -> TControl* {
             return MakeGalleryChart(form, bounds, TGalleryChartKind::Zoomed);
         }},
        {QStringLiteral("TInplaceEdit: one column per edit style (esSimple ... esCustom); F2, Enter, a typed key or a "
                        "click on the current cell opens the editor, Alt+Down drops the list down"),
         798, 240,
         [](TCustomForm* form, const TRect& bounds) -> TControl* { return MakeGalleryEditorGrid(form, bounds); }},
    };
    return samples;
}

TGalleryForm::TGalleryForm(TComponent* owner) : TForm(owner)
{
    SetCaption(QStringLiteral("orgrights component gallery"));
    SetColor(0x00EEEEEE);
    int top = kMargin;
    int width = 0;
    for (const TGallerySample& sample : GallerySamples()) {
        auto* title = new TLabel(this);
        title->SetParent(this);
        title->SetBounds(kMargin, top, sample.Width, kTitleHeight - 4);
        title->SetCaption(sample.Title);
        top += kTitleHeight;
        controls_.push_back(sample.Make(this, Rect(kMargin, top, kMargin + sample.Width, top + sample.Height)));
        top += sample.Height + kMargin;
        width = std::max(width, sample.Width);
    }
    SetClientWidth(width + 2 * kMargin);
    SetClientHeight(top);
}
