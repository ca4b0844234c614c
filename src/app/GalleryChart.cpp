#include "app/GalleryChart.h"

#include "orgchart/OrgChart.h"
#include "platform/canvas/Bitmap.h"
#include "platform/framework/actions/ImageList.h"

namespace {

// Four 16 x 16 pictures drawn on the spot: squares of the four line colours.
TImageList* MakeImages(TCustomForm* form)
{
    auto* images = new TImageList(form);
    const TColor colours[] = {clNavy, clMaroon, clGreen, clPurple};
    for (TColor c : colours) {
        TBitmap bitmap;
        bitmap.SetSize(16, 16);
        TCanvas& canvas = bitmap.Canvas();
        canvas.Brush().SetColor(clWhite);
        canvas.FillRect({0, 0, 16, 16});
        canvas.Brush().SetColor(c);
        canvas.Pen().SetColor(clBlack);
        canvas.Rectangle(2, 2, 14, 14);
        images->Add(bitmap.Image());
    }
    return images;
}

const char* const kShapeNames[] = {"矩形", "圆角", "椭圆", "菱形"};
const char* const kAlignNames[] = {"LT", "LC", "LB", "RT", "RC", "RB", "TL", "TC", "TR", "BL", "BC", "BR"};

void Fill(TOrgChart* chart)
{
    TOcNode* top = chart->Tree().Add(nullptr);
    top->SetText(QStringLiteral("总部"));
    top->SetImageIndex(0);
    // One child per shape, each holding children of one alignment.
    const TOcChildAlign aligns[] = {caLeft, caCenter, caRight, caCenter};
    int image = 0;
    for (int shape = 0; shape < 4; ++shape) {
        TOcNode* n = chart->Tree().Add(top);
        n->SetText(QString::fromUtf8(kShapeNames[shape]));
        n->SetShape(static_cast<TOcShape>(shape));
        n->SetChildAlign(aligns[shape]);
        n->SetWidth(shape == 3 ? 96 : 0);
        n->SetImageIndex(shape);
        for (int k = 0; k < 3; ++k, ++image) {
            TOcNode* leaf = chart->Tree().Add(n);
            leaf->SetImageAlign(static_cast<TOcImageAlign>(iaLT + image % 12));
            leaf->SetText(QString::fromUtf8(kAlignNames[image % 12]));
            leaf->SetImageIndex(image % 4);
            leaf->SetColor(k == 1 ? static_cast<TColor>(0x00E0F0FF) : static_cast<TColor>(kOcColorNone));
            leaf->SetShape(static_cast<TOcShape>((shape + k) % 4));
        }
        n->Expand(false);
    }
    TOcNode* wide = chart->Tree().Add(top->Items(0)->Items(0));
    wide->SetText(QStringLiteral("收起的子节点"));
    top->Expand(false);
}

} // namespace

TOrgChart* MakeGalleryChart(TCustomForm* form, const TRect& bounds, TGalleryChartKind kind)
{
    auto* chart = new TOrgChart(form);
    chart->SetParent(form);
    chart->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    chart->Font().SetName(QStringLiteral("Tahoma"));
    chart->Font().SetHeight(-11);
    chart->SetEditMode(emCenter | emVCenter | emWrap);
    chart->SetOptions(chart->Options() | ocRect3D);
    chart->SetImages(MakeImages(form));
    chart->SetDefaultNodeWidth(72);
    Fill(chart);
    if (kind == TGalleryChartKind::Rotated) {
        chart->SetRotated(true);
        chart->SetDefaultNodeWidth(96);
        chart->SetDefaultNodeHeight(36);
    } else if (kind == TGalleryChartKind::Zoomed) {
        // Twice the tree side by side, shrunk to the window.
        TOcNode* second = chart->Tree().Add(nullptr);
        second->SetText(QStringLiteral("分部"));
        for (int i = 0; i < 12; ++i)
            chart->Tree().Add(second)->SetText(QString::number(i));
        second->Expand(false);
        chart->SetZoom(true);
    }
    return chart;
}
