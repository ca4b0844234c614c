// The flat page control's properties.

#include "chrome/pagecontrol/FlatPageControl.h"
#include "chrome/pagecontrol/FlatPageControlState.h"
#include "platform/framework/actions/ImageList.h"

namespace {

// Stores a property that only changes the picture.
template <typename T>
void StoreAndRepaint(TFlatPageControl& control, T& field, T value)
{
    if (Exchange(field, value))
        control.Invalidate();
}

// The pages that still carry the old default take the new one.
void ReplaceDefault(TFlatPageControl& control, TColor& field, TColor v, TColor TFlatTabSheet::* pageField)
{
    if (v == field)
        return;
    for (int i = 0; i < control.PageCount(); ++i) {
        TColor& own = control.Pages(i)->*pageField;
        if (own == field)
            own = v;
    }
    field = v;
    control.Invalidate();
}

} // namespace

TTabMargin& TFlatPageControl::TabMargin() { return *d_->tabMargin; }
const TTabMargin& TFlatPageControl::TabMargin() const { return *d_->tabMargin; }
TImageList* TFlatPageControl::Images() const { return d_->images; }
void TFlatPageControl::SetImagesName(const QString& name) { d_->pendingImages = name; }
TFont& TFlatPageControl::ActiveFont() { return *d_->activeFont; }
const TFont& TFlatPageControl::ActiveFont() const { return *d_->activeFont; }
TCanvas* TFlatPageControl::Canvas() const { return d_->paintCanvas; }

void TFlatPageControl::SetImages(TImageList* images)
{
    if (!d_->images.Set(images))
        return;
    ComputeSpacer();
    Invalidate();
}

TColor TFlatPageControl::DefaultTextColor() const { return d_->defaultTextColor; }
TColor TFlatPageControl::DefaultTabColor() const { return d_->defaultTabColor; }
TColor TFlatPageControl::DefaultTabColorTo() const { return d_->defaultTabColorTo; }

void TFlatPageControl::SetDefaultTextColor(TColor v)
{
    ReplaceDefault(*this, d_->defaultTextColor, v, &TFlatTabSheet::textColor_);
}

void TFlatPageControl::SetDefaultTabColor(TColor v)
{
    ReplaceDefault(*this, d_->defaultTabColor, v, &TFlatTabSheet::tabColor_);
}

void TFlatPageControl::SetDefaultTabColorTo(TColor v)
{
    ReplaceDefault(*this, d_->defaultTabColorTo, v, &TFlatTabSheet::tabColorTo_);
}

TColor TFlatPageControl::ActiveColor() const { return d_->activeColor; }
void TFlatPageControl::SetActiveColor(TColor v) { StoreAndRepaint(*this, d_->activeColor, v); }
TColor TFlatPageControl::ActiveColorTo() const { return d_->activeColorTo; }
void TFlatPageControl::SetActiveColorTo(TColor v) { StoreAndRepaint(*this, d_->activeColorTo, v); }
TColor TFlatPageControl::TabBorderColor() const { return d_->tabBorderColor; }
void TFlatPageControl::SetTabBorderColor(TColor v) { StoreAndRepaint(*this, d_->tabBorderColor, v); }
TColor TFlatPageControl::TabHoverColor() const { return d_->tabHoverColor; }
void TFlatPageControl::SetTabHoverColor(TColor v) { StoreAndRepaint(*this, d_->tabHoverColor, v); }
TColor TFlatPageControl::TabHoverColorTo() const { return d_->tabHoverColorTo; }
void TFlatPageControl::SetTabHoverColorTo(TColor v) { StoreAndRepaint(*this, d_->tabHoverColorTo, v); }
TColor TFlatPageControl::TabHoverBorder() const { return d_->tabHoverBorder; }
void TFlatPageControl::SetTabHoverBorder(TColor v) { StoreAndRepaint(*this, d_->tabHoverBorder, v); }
TColor TFlatPageControl::TabSheetBorderColor() const { return d_->tabSheetBorderColor; }
void TFlatPageControl::SetTabSheetBorderColor(TColor v) { StoreAndRepaint(*this, d_->tabSheetBorderColor, v); }
TColor TFlatPageControl::TabBackGroundColor() const { return d_->tabBackGroundColor; }
void TFlatPageControl::SetTabBackGroundColor(TColor v) { StoreAndRepaint(*this, d_->tabBackGroundColor, v); }
TColor TFlatPageControl::TabBackGroundColorTo() const { return d_->tabBackGroundColorTo; }
void TFlatPageControl::SetTabBackGroundColorTo(TColor v) { StoreAndRepaint(*this, d_->tabBackGroundColorTo, v); }

bool TFlatPageControl::TabBorder3D() const { return d_->tabBorder3D; }

void TFlatPageControl::SetTabBorder3D(bool v)
{
    if (!Exchange(d_->tabBorder3D, v))
        return;
    RefreshAllTabTexts();
    Relayout();
    Invalidate();
}

bool TFlatPageControl::ShowFocus() const { return d_->showFocus; }
void TFlatPageControl::SetShowFocus(bool v) { StoreAndRepaint(*this, d_->showFocus, v); }
int TFlatPageControl::TabOverlap() const { return d_->tabOverlap; }

void TFlatPageControl::SetTabOverlap(int v)
{
    if (v < 0 || v > 15)
        throw EInvalidOperation(QStringLiteral("TabOverlap is 0 to 15, not %1").arg(v));
    StoreAndRepaint(*this, d_->tabOverlap, v);
}

bool TFlatPageControl::TabSheet3D() const { return d_->tabSheet3D; }
void TFlatPageControl::SetTabSheet3D(bool v) { StoreAndRepaint(*this, d_->tabSheet3D, v); }
bool TFlatPageControl::TabSplitLine() const { return d_->tabSplitLine; }

void TFlatPageControl::SetTabSplitLine(bool v)
{
    if (v && (d_->tabStyle == tsDotNet || d_->tabStyle == tsStudio))
        throw EInvalidOperation("TabSplitLine must be false when TabStyle is tsDotNet/tsStudio");
    StoreAndRepaint(*this, d_->tabSplitLine, v);
}

bool TFlatPageControl::RoundEdges() const { return d_->roundEdges; }
void TFlatPageControl::SetRoundEdges(bool v) { StoreAndRepaint(*this, d_->roundEdges, v); }
TTabStyle TFlatPageControl::TabStyle() const { return d_->tabStyle; }

void TFlatPageControl::SetTabStyle(TTabStyle v)
{
    if (v > tsStudio)
        throw EInvalidOperation(QStringLiteral("Invalid tab style %1").arg(int(v)));
    StoreAndRepaint(*this, d_->tabStyle, v);
}

int TFlatPageControl::LowerActive() const { return d_->lowerActive; }
void TFlatPageControl::SetLowerActive(int v) { StoreAndRepaint(*this, d_->lowerActive, v); }
bool TFlatPageControl::FreeOnClose() const { return d_->freeOnClose; }
void TFlatPageControl::SetFreeOnClose(bool v) { d_->freeOnClose = v; }

const TBitmap& TFlatPageControl::TabBackGround() const { return *d_->tabBackGround; }
const TBitmap& TFlatPageControl::TabBackGroundActive() const { return *d_->tabBackGroundActive; }
const TBitmap& TFlatPageControl::CloseGlyph() const { return *d_->closeGlyph; }

void TFlatPageControl::SetTabBackGround(const TBitmap& image)
{
    d_->tabBackGround->LoadFromImage(image.Image());
    Invalidate();
}

void TFlatPageControl::SetTabBackGroundActive(const TBitmap& image)
{
    d_->tabBackGroundActive->LoadFromImage(image.Image());
    Invalidate();
}

void TFlatPageControl::SetCloseGlyph(const TBitmap& image)
{
    d_->closeGlyph->LoadFromImage(image.Image());
    Invalidate();
}

TTabPosition TFlatPageControl::TabPosition() const { return d_->tabPosition; }

void TFlatPageControl::SetTabPosition(TTabPosition v)
{
    if (static_cast<uint8_t>(v) > static_cast<uint8_t>(TTabPosition::tpRight))
        throw EInvalidOperation(QStringLiteral("Invalid tab position %1").arg(int(v)));
    if (!Exchange(d_->tabPosition, v))
        return;
    ComputeSpacer();
    Realign();
    Invalidate();
}

int TFlatPageControl::TabHeight() const { return d_->tabHeight; }

void TFlatPageControl::SetTabHeight(int v)
{
    if (v < 0 || v > 32767)
        throw EInvalidOperation(QStringLiteral("TabHeight is 0 to 32767, not %1").arg(v));
    if (!Exchange(d_->tabHeight, v))
        return;
    Relayout();
    Invalidate();
}

int TFlatPageControl::TabWidth() const { return d_->tabWidth; }

void TFlatPageControl::SetTabWidth(int v)
{
    if (v < 0 || v > 32767)
        throw EInvalidOperation(QStringLiteral("TabWidth is 0 to 32767, not %1").arg(v));
    if (!Exchange(d_->tabWidth, v))
        return;
    Relayout();
    Invalidate();
}

bool TFlatPageControl::MultiLine() const { return d_->multiLine; }

void TFlatPageControl::SetMultiLine(bool v)
{
    if (!Exchange(d_->multiLine, v))
        return;
    Relayout();
    Invalidate();
}

bool TFlatPageControl::RaggedRight() const { return d_->raggedRight; }
void TFlatPageControl::SetRaggedRight(bool v) { d_->raggedRight = v; }
bool TFlatPageControl::ScrollOpposite() const { return d_->scrollOpposite; }
void TFlatPageControl::SetScrollOpposite(bool v) { d_->scrollOpposite = v; }
bool TFlatPageControl::HotTrack() const { return d_->hotTrack; }
void TFlatPageControl::SetHotTrack(bool v) { d_->hotTrack = v; }
bool TFlatPageControl::DockSite() const { return d_->dockSite; }
void TFlatPageControl::SetDockSite(bool v) { d_->dockSite = v; }

QString TFlatPageControl::Version() const
{
    const auto v = static_cast<uint32_t>(VersionNumber);
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}
