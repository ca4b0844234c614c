#include "chrome/pagecontrol/FlatTabSheet.h"

#include "chrome/gradients/BandGradient.h"
#include "chrome/pagecontrol/FlatPageControl.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/ControlWidget.h"

namespace {

// The captions were measured as bytes of the local double-byte code page, where
// every character outside ASCII takes two bytes. Whole characters are removed,
// so a text never ends in half a character.
QString WithoutLastBytes(const QString& text, int bytes)
{
    int n = text.size();
    while (bytes > 0 && n > 0) {
        bytes -= text[n - 1].unicode() < 0x80 ? 1 : 2;
        --n;
    }
    return text.left(n);
}

} // namespace

TFlatTabSheet::TFlatTabSheet(TComponent* owner) : TCustomControl(owner)
{
    SetAlign(alClient);
    SetVisible(false);
    SetParentColor(false);
    ApplyCaption();
}

TFlatTabSheet::~TFlatTabSheet()
{
    if (pageControl_)
        pageControl_->RemovePage(this);
}

void TFlatTabSheet::SetPageControl(TFlatPageControl* control)
{
    if (control == pageControl_)
        return;
    if (pageControl_)
        pageControl_->RemovePage(this);
    TCustomControl::SetParent(control);
    if (control)
        control->InsertPage(this);
}

void TFlatTabSheet::SetParent(TWinControl* parent)
{
    if (auto* pc = dynamic_cast<TFlatPageControl*>(parent)) {
        SetPageControl(pc);
        return;
    }
    if (pageControl_)
        pageControl_->RemovePage(this);
    TCustomControl::SetParent(parent);
}

int TFlatTabSheet::PageIndex() const
{
    return pageControl_ ? pageControl_->IndexOfPage(this) : -1;
}

void TFlatTabSheet::SetPageIndex(int index)
{
    if (!pageControl_)
        return;
    if (index < 0 || index > pageControl_->PageCount() - 1)
        throw EListError(QStringLiteral("%1 is an invalid PageIndex value.  PageIndex must be between 0 and %2")
                             .arg(index)
                             .arg(pageControl_->PageCount() - 1));
    pageControl_->MovePage(this, index);
}

int TFlatTabSheet::TabIndex() const
{
    if (!tabShown_ || !pageControl_)
        return -1;
    int n = 0;
    for (int i = 0; i < pageControl_->PageCount(); ++i) {
        TFlatTabSheet* p = pageControl_->Pages(i);
        if (p == this)
            return n;
        if (p->tabShown_)
            ++n;
    }
    return -1;
}

void TFlatTabSheet::SetTabVisible(bool v)
{
    if (!Exchange(tabVisible_, v))
        return;
    if (!pageControl_)
        return;
    if (v)
        pageControl_->ShowTab(this);
    else
        pageControl_->HideTab(this);
    pageControl_->RefreshTabText(this);
}

void TFlatTabSheet::SetTabEnable(bool v)
{
    if (v == tabEnable_)
        return;
    if (!v && pageControl_ && pageControl_->ActivePage() == this)
        throw EInvalidOperation("Can not disable active tab.");
    tabEnable_ = v;
    RepaintControl();
}

void TFlatTabSheet::SetHighlighted(bool v)
{
    if (Exchange(highlighted_, v))
        RepaintControl();
}

void TFlatTabSheet::SetShowClose(bool v)
{
    if (!Exchange(showClose_, v))
        return;
    ApplyCaption();
    RepaintControl();
}

void TFlatTabSheet::SetImageIndex(int v)
{
    const int stored = v < 0 ? -1 : v;
    if (stored == imageIndex_)
        return;
    imageIndex_ = stored;
    tabImage_ = v < 0 ? 0 : v;
    ApplyCaption();
}

void TFlatTabSheet::SetTextColor(TColor v)
{
    if (Exchange(textColor_, v))
        RepaintControl();
}

void TFlatTabSheet::SetTabColor(TColor v)
{
    if (Exchange(tabColor_, v)) {
        Invalidate();
        RepaintControl();
    }
}

void TFlatTabSheet::SetTabColorTo(TColor v)
{
    if (Exchange(tabColorTo_, v)) {
        Invalidate();
        RepaintControl();
    }
}

void TFlatTabSheet::SetColorTo(TColor v)
{
    if (Exchange(colorTo_, v)) {
        Invalidate();
        RepaintControl();
    }
}

void TFlatTabSheet::SetTabGradientDirection(TTabGradientDirection v)
{
    if (v > gdHorizontal)
        throw EInvalidOperation(QStringLiteral("Invalid gradient direction %1").arg(int(v)));
    if (Exchange(tabGradientDirection_, v))
        RepaintControl();
}

void TFlatTabSheet::SetHoverGradientDirection(TTabGradientDirection v)
{
    if (v > gdHorizontal)
        throw EInvalidOperation(QStringLiteral("Invalid gradient direction %1").arg(int(v)));
    if (Exchange(hoverGradientDirection_, v))
        RepaintControl();
}

void TFlatTabSheet::SetVisible(bool visible)
{
    // Showing a page goes through its control, which hides the page shown before.
    if (visible && pageControl_ && !activating_ && pageControl_->ActivePage() != this) {
        pageControl_->SetActivePage(this);
        if (pageControl_ && pageControl_->ActivePage() != this)
            return;  // refused (disabled tab or focus kept)
    }
    TCustomControl::SetVisible(visible);
}

void TFlatTabSheet::ApplyCaption()
{
    layoutText_ = showClose_ ? Caption() + QLatin1Char(' ') : WithoutLastBytes(Caption(), 2);
    if (pageControl_)
        pageControl_->RefreshTabText(this);
}

void TFlatTabSheet::TextChanged()
{
    ApplyCaption();
    TCustomControl::TextChanged();
    RepaintControl();
}

void TFlatTabSheet::VisibleChanged()
{
    TCustomControl::VisibleChanged();
    // A handler's error is reported and goes no further.
    if (Visible())
        GuardedCall([&] { OnShow(this); });
    else
        GuardedCall([&] { OnHide(this); });
}

void TFlatTabSheet::ColorChanged()
{
    TCustomControl::ColorChanged();
    RepaintControl();
}

void TFlatTabSheet::RepaintControl()
{
    if (pageControl_)
        pageControl_->Invalidate();
}

void TFlatTabSheet::Paint(TCanvas& canvas)
{
    const TRect r = ClientRect();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
    if (colorTo_ != clNone)
        FillBandGradient(canvas, r, Color(), colorTo_, 64, false);
}
