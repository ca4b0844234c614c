// The flat page control's property setters.

#include "chrome/pagecontrol/FlatPageControl.h"
#include "platform/framework/actions/ImageList.h"

void TFlatPageControl::SetImages(TImageList* images)
{
    if (!images_.Set(images))
        return;
    ComputeSpacer();
    Invalidate();
}

void TFlatPageControl::SetColorField(TColor& field, TColor v)
{
    if (Exchange(field, v))
        Invalidate();
}

void TFlatPageControl::SetFlag(bool& field, bool v)
{
    if (Exchange(field, v))
        Invalidate();
}

void TFlatPageControl::SetDefaultTextColor(TColor v)
{
    if (v == defaultTextColor_)
        return;
    for (TFlatTabSheet* p : pages_)
        if (p->textColor_ == defaultTextColor_)
            p->textColor_ = v;
    defaultTextColor_ = v;
    Invalidate();
}

void TFlatPageControl::SetDefaultTabColor(TColor v)
{
    if (v == defaultTabColor_)
        return;
    for (TFlatTabSheet* p : pages_)
        if (p->tabColor_ == defaultTabColor_)
            p->tabColor_ = v;
    defaultTabColor_ = v;
    Invalidate();
}

void TFlatPageControl::SetDefaultTabColorTo(TColor v)
{
    if (v == defaultTabColorTo_)
        return;
    for (TFlatTabSheet* p : pages_)
        if (p->tabColorTo_ == defaultTabColorTo_)
            p->tabColorTo_ = v;
    defaultTabColorTo_ = v;
    Invalidate();
}

void TFlatPageControl::SetTabBorder3D(bool v)
{
    if (!Exchange(tabBorder3D_, v))
        return;
    RefreshAllTabTexts();
    Relayout();
    Invalidate();
}

void TFlatPageControl::SetTabOverlap(int v)
{
    if (v < 0 || v > 15)
        throw EInvalidOperation(QStringLiteral("TabOverlap is 0 to 15, not %1").arg(v));
    if (Exchange(tabOverlap_, v))
        Invalidate();
}

void TFlatPageControl::SetTabSplitLine(bool v)
{
    if (v && (tabStyle_ == tsDotNet || tabStyle_ == tsStudio))
        throw EInvalidOperation("TabSplitLine must be false when TabStyle is tsDotNet/tsStudio");
    SetFlag(tabSplitLine_, v);
}

void TFlatPageControl::SetTabStyle(TTabStyle v)
{
    if (v > tsStudio)
        throw EInvalidOperation(QStringLiteral("Invalid tab style %1").arg(int(v)));
    if (Exchange(tabStyle_, v))
        Invalidate();
}

void TFlatPageControl::SetLowerActive(int v)
{
    if (Exchange(lowerActive_, v))
        Invalidate();
}

void TFlatPageControl::SetTabBackGround(const TBitmap& image)
{
    tabBackGround_->LoadFromImage(image.Image());
    Invalidate();
}

void TFlatPageControl::SetTabBackGroundActive(const TBitmap& image)
{
    tabBackGroundActive_->LoadFromImage(image.Image());
    Invalidate();
}

void TFlatPageControl::SetCloseGlyph(const TBitmap& image)
{
    closeGlyph_->LoadFromImage(image.Image());
    Invalidate();
}

void TFlatPageControl::SetTabPosition(TTabPosition v)
{
    if (static_cast<uint8_t>(v) > static_cast<uint8_t>(TTabPosition::tpRight))
        throw EInvalidOperation(QStringLiteral("Invalid tab position %1").arg(int(v)));
    if (!Exchange(tabPosition_, v))
        return;
    ComputeSpacer();
    Realign();
    Invalidate();
}

void TFlatPageControl::SetTabHeight(int v)
{
    if (v < 0 || v > 32767)
        throw EInvalidOperation(QStringLiteral("TabHeight is 0 to 32767, not %1").arg(v));
    if (!Exchange(tabHeight_, v))
        return;
    Relayout();
    Invalidate();
}

void TFlatPageControl::SetTabWidth(int v)
{
    if (v < 0 || v > 32767)
        throw EInvalidOperation(QStringLiteral("TabWidth is 0 to 32767, not %1").arg(v));
    if (!Exchange(tabWidth_, v))
        return;
    Relayout();
    Invalidate();
}

void TFlatPageControl::SetMultiLine(bool v)
{
    if (!Exchange(multiLine_, v))
        return;
    Relayout();
    Invalidate();
}

QString TFlatPageControl::Version() const
{
    const auto v = static_cast<uint32_t>(VersionNumber);
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}
