#include "screens/dialogs/SignatureView.h"

#include <algorithm>
#include <vector>

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Canvas.h"
#include "stream/ClassRegistry.h"

TSignatureView::TSignatureView(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 100, 60);
}

TSignatureView::~TSignatureView() = default;

void TSignatureView::Register()
{
    auto& registry = ClassRegistry::Instance();
    if (!registry.Find(StaticClassName()))
        registry.Register<TSignatureView>("TGraphicControl", [](TComponent* o) { return new TSignatureView(o); });
}

bool TSignatureView::SetPicture(const QByteArray& bytes)
{
    auto bitmap = std::make_unique<TBitmap>();
    if (!bitmap->LoadFromData(std::vector<uint8_t>(bytes.begin(), bytes.end())) || bitmap->Empty())
        return false;
    picture_ = std::move(bitmap);
    Invalidate();
    return true;
}

void TSignatureView::Clear()
{
    picture_.reset();
    Invalidate();
}

bool TSignatureView::Empty() const
{
    return !picture_;
}

void TSignatureView::Paint(TCanvas& canvas)
{
    const TRect all{0, 0, Width(), Height()};
    canvas.Brush().SetColor(clWhite);
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(all);
    canvas.Pen().SetColor(clBtnShadow);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(all);
    const TRect inner{4, 4, Width() - 4, Height() - 4};
    if (!picture_) {
        canvas.Font().Assign(&Font());
        canvas.Font().SetColor(clGrayText);
        TRect r = inner;
        canvas.DrawText(QStringLiteral("未设置"), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    // Scaled down to fit, never up: a small signature keeps its pixels.
    const int w = picture_->Width(), h = picture_->Height();
    const double scale = std::min({1.0, double(inner.Width()) / w, double(inner.Height()) / h});
    const int sw = std::max(1, int(w * scale)), sh = std::max(1, int(h * scale));
    const int x = inner.Left + (inner.Width() - sw) / 2, y = inner.Top + (inner.Height() - sh) / 2;
    canvas.StretchDraw({x, y, x + sw, y + sh}, *picture_);
}
