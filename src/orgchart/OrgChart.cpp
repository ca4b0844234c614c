// Properties, the glue between the tree and the geometry, repaint management
// and zoom.

#include "orgchart/OrgChart.h"

#include <algorithm>

#include "orgchart/OcInplaceEdit.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/actions/ImageList.h"
#include "platform/framework/PendingReference.h"

TCustomOrgChart::TCustomOrgChart(TComponent* owner)
    : TCustomControl(owner), images_([this] {
          BeginUpdate();
          EndUpdate();
      })
{
    SetSelfPainted(true);
    SetBounds(0, 0, 320, 200);
    SetParentColor(false);
    SetColor(clWindow);
    SetParentFont(false);
    SetTabStop(true);
    ApplyWindowStyles();
}

TCustomOrgChart::~TCustomOrgChart()
{
    destroying_ = true;
    HideEditor(false);
    editor_.reset();
    animationBitmap_.reset();
    tree_.DropSelection();
    images_.Set(nullptr);
    tree_.Clear();
}

void TCustomOrgChart::Loaded()
{
    TCustomControl::Loaded();
    ApplyWindowStyles(); // Ctl3D may have come from the definition
    ResolvePendingImages();
}

void TCustomOrgChart::ResolvePendingImages()
{
    if (auto* list = ResolvePending<TImageList>(*this, pendingImages_, "Images", "image list", "an image list"))
        SetImages(list);
}

// ---- Properties ---------------------------------------------------------------

void TCustomOrgChart::SetLineColor(TColor v)
{
    if (v == clNone || v == clDefault)
        v = clBlack;
    if (Exchange(lineColor_, v) && HasWidget())
        InvalidateAll();
}

int TCustomOrgChart::LineWidth() const
{
    return const_cast<TCustomOrgChart*>(this)->Metrics().LW();
}

void TCustomOrgChart::SetLineWidth(int v)
{
    v = std::clamp(v, 0, 0xFFFF);
    if (v == 0)
        v = 1;
    if (Exchange(lineWidth_, static_cast<uint16_t>(v)))
        DropAllSizes(skBoth);
}

void TCustomOrgChart::SetSelectedNodeColor(TColor v)
{
    if (v == clNone || v == clDefault)
        v = clHighlight;
    if (Exchange(selectedNodeColor_, v) && HasWidget())
        InvalidateAll();
}

void TCustomOrgChart::SetSelectedNodeTextColor(TColor v)
{
    if (v == clNone || v == clDefault)
        v = clHighlightText;
    if (Exchange(selectedNodeTextColor_, v) && HasWidget())
        InvalidateAll();
}

void TCustomOrgChart::SetDefaultNodeWidth(int v)
{
    v = std::clamp(std::max(v, MinNodeWidth()), 0, 0xFFFF);
    if (Exchange(defaultNodeWidth_, static_cast<uint16_t>(v)))
        DropAllSizes(rotated_ ? skHeight : skWidth);
}

void TCustomOrgChart::SetDefaultNodeHeight(int v)
{
    v = std::clamp(std::max(v, MinNodeHeight()), 0, 0xFFFF);
    if (Exchange(defaultNodeHeight_, static_cast<uint16_t>(v)))
        DropAllSizes(rotated_ ? skWidth : skHeight);
}

int TCustomOrgChart::IndentX() const
{
    return const_cast<TCustomOrgChart*>(this)->Metrics().IX();
}

int TCustomOrgChart::IndentY() const
{
    return const_cast<TCustomOrgChart*>(this)->Metrics().IY();
}

void TCustomOrgChart::SetIndentX(int v)
{
    if (Exchange(indentX_, static_cast<uint16_t>(std::clamp(v, 0, 0xFFFF))))
        DropAllSizes(rotated_ ? skHeight : skWidth);
}

void TCustomOrgChart::SetIndentY(int v)
{
    if (Exchange(indentY_, static_cast<uint16_t>(std::clamp(v, 0, 0xFFFF))))
        DropAllSizes(rotated_ ? skWidth : skHeight);
}

void TCustomOrgChart::SetEditMode(TOcEditMode v)
{
    if (!Exchange(editMode_, v))
        return;
    if (editor_)
        editor_->ApplyEditMode(editMode_);
    if (tree_.Count() > 0)
        InvalidateAll();
}

int TCustomOrgChart::MinNodeWidth() const
{
    return images_.Get() ? std::max(16, 2 * images_->Width()) : 16;
}

int TCustomOrgChart::MinNodeHeight() const
{
    return images_.Get() ? std::max(16, 2 * images_->Height()) : 16;
}

void TCustomOrgChart::SetImages(TImageList* images)
{
    if (images == images_.Get() || destroying_)
        return;
    pendingImages_.clear();
    BeginUpdate();
    images_.Set(images);
    if (tree_.DefaultImageAlign() == iaNone)
        tree_.SetDefaultImageAlign(iaLT);
    SetDefaultNodeWidth(defaultNodeWidth_);
    SetDefaultNodeHeight(defaultNodeHeight_);
    const int mw = MinNodeWidth(), mh = MinNodeHeight();
    for (TOcNode* n = tree_.FirstNode(); n; n = n->GetNext()) {
        if (n->Width() != 0 && n->Width() < mw)
            n->SetWidth(mw);
        if (n->Height() != 0 && n->Height() < mh)
            n->SetHeight(mh);
    }
    EndUpdate();
}

void TCustomOrgChart::SetBorderStyle(TFormBorderStyle v)
{
    if (v != bsNone)
        v = bsSingle;
    if (Exchange(borderStyle_, v)) {
        ApplyWindowStyles();
        InvalidateAll();
    }
}

void TCustomOrgChart::SetRotated(bool v)
{
    if (!Exchange(rotated_, v))
        return;
    DropAllSizes(skBoth);
    ScrollTo(0, 0);
}

bool TCustomOrgChart::Zoom()
{
    return zoomOff_ == 0;
}

void TCustomOrgChart::SetZoom(bool v)
{
    if (v == Zoom())
        return;
    zoomOff_ = v ? 0 : 1;
    LayoutChanged();
    if (v) {
        UpdateLayout();
        UpdateScrollBars();
    }
}

void TCustomOrgChart::SetOptions(TOcOptions v)
{
    const TOcOptions changed = options_ ^ v;
    if (!changed)
        return;
    options_ = v;
    if (changed & ocRect3D)
        DropAllSizes(skBoth);
    if (changed & ocButtons)
        InvalidateAll();
    if ((changed & ocSelect) && tree_.Selected())
        InvalidateNode(tree_.Selected());
    if ((changed & ocFocus) && tree_.Selected() && HasFocus())
        InvalidateNode(tree_.Selected());
}

void TCustomOrgChart::FontChanged()
{
    TCustomControl::FontChanged();
    InvalidateAll();
}

void TCustomOrgChart::ColorChanged()
{
    TCustomControl::ColorChanged();
    InvalidateAll();
}

// ---- Geometry glue --------------------------------------------------------------

TOcMetrics TCustomOrgChart::Metrics()
{
    TOcMetrics m;
    m.lineWidth = lineWidth_;
    m.indentX = indentX_;
    m.indentY = indentY_;
    m.defaultWidth = defaultNodeWidth_;
    m.defaultHeight = defaultNodeHeight_;
    m.rotated = rotated_;
    m.rect3D = HasOption(ocRect3D);
    m.buttons = HasOption(ocButtons);
    m.zoomed = zoomOff_ == 0 && zoomNum_ < zoomDen_;
    m.zoomNum = zoomNum_;
    m.zoomDen = zoomDen_;
    m.scrollX = scrollX_;
    m.scrollY = scrollY_;
    return m;
}

TOcLayout TCustomOrgChart::Layout()
{
    return TOcLayout(tree_, Metrics());
}

bool TCustomOrgChart::Zoomed()
{
    if (zoomOff_ != 0)
        return false;
    UpdateLayout();
    return zoomOff_ == 0 && zoomNum_ < zoomDen_;
}

int TCustomOrgChart::FullWidth()
{
    return Layout().FullW();
}

int TCustomOrgChart::FullHeight()
{
    return Layout().FullH();
}

TRect TCustomOrgChart::NodeBoxRect(TOcNode* node)
{
    if (!node || node->IsRoot() || !tree_.IsValid(node) || !node->IsVisible())
        return {};
    TOcLayout layout = Layout();
    return layout.Metrics().ToPhysical(layout.BoxRect(layout.Locate(node)));
}

TRect TCustomOrgChart::NodeShapeRect(TOcNode* node)
{
    TRect r = NodeBoxRect(node);
    if (r.IsEmpty())
        return r;
    const TOcMetrics m = Metrics();
    if (m.rotated)
        r.Left += m.IY();
    else
        r.Top += m.IY();
    return r;
}

TRect TCustomOrgChart::NodeContentRect(TOcNode* node)
{
    const TRect box = NodeBoxRect(node);
    if (box.IsEmpty())
        return box;
    return Layout().ContentRect(node, box);
}

// ---- Repaint management ---------------------------------------------------------

void TCustomOrgChart::InvalidateAll()
{
    if (!(updateLock_ > 0 && invalidatePending_))
        Invalidate();
    invalidatePending_ = true;
}

void TCustomOrgChart::BeginUpdate()
{
    ++updateLock_;
}

void TCustomOrgChart::EndUpdate()
{
    if (updateLock_ <= 0)
        return;
    if (--updateLock_ == 0) {
        invalidatePending_ = false;
        InvalidateAll();
    }
}

void TCustomOrgChart::LayoutChanged()
{
    if (layoutDirty_)
        return;
    HideEditor(true);
    InvalidateAll();
    layoutDirty_ = true;
    hitFlags_ = 0;
}

void TCustomOrgChart::UpdateLayout()
{
    if (!layoutDirty_)
        return;
    layoutDirty_ = false;
    if (zoomOff_ != 0)
        UpdateScrollBars();
    else
        RecomputeZoom();
}

void TCustomOrgChart::RecomputeZoom()
{
    ++zoomOff_;
    TOcLayout full = Layout();
    const int64_t fw = full.FullW(), fh = full.FullH();
    --zoomOff_;
    const int64_t cw = ClientWidth(), ch = ClientHeight();
    if (ch * fw < cw * fh) {
        zoomNum_ = static_cast<int>(ch);
        zoomDen_ = static_cast<int>(std::min<int64_t>(fh + 1, INT32_MAX));
    } else {
        zoomNum_ = static_cast<int>(cw);
        zoomDen_ = static_cast<int>(std::min<int64_t>(fw + 1, INT32_MAX));
    }
    if (zoomDen_ <= 0)
        zoomDen_ = 1;
    scrollX_ = scrollY_ = 0;
}

bool TCustomOrgChart::InvalidateNode(TOcNode* node)
{
    if (!HasWidget() || (updateLock_ > 0 && invalidatePending_))
        return false;
    TRect r = NodeBoxRect(node);
    if (r.IsEmpty())
        return false;
    const TOcMetrics m = Metrics();
    const int lw = m.LW();
    if (m.rotated)
        r.Left -= 6;
    else
        r.Top -= 6;
    if (m.HasButton(node)) {
        if (m.rotated)
            r.Right += 6;
        else
            r.Bottom += 6;
    }
    if (m.Box3D(node)) {
        r.Right += lw;
        r.Bottom += lw;
    }
    InflateRect(r, lw, lw);
    InvalidateRect(r);
    return true;
}

void TCustomOrgChart::RepaintColumn(TOcNode* node)
{
    if (!HasWidget() || !node)
        return;
    if (node->IsRoot() || !node->IsVisible()) {
        InvalidateAll();
        return;
    }
    TOcLayout layout = Layout();
    const TOcPlace place = layout.Locate(node);
    TRect column{place.cellLeft, place.rowTop - 6, place.cellLeft + layout.CellW(node),
                 place.rowTop + layout.CellH(node) + 6};
    InvalidateRect(layout.Metrics().ToPhysical(column));
}

void TCustomOrgChart::SizesChangedNotice(TOcNode* node)
{
    if (!node->IsVisible())
        return;
    if (node->Expanded() || node->IsRoot())
        LayoutChanged();
    else if (node->Count() < 2)
        InvalidateNode(node);
}

void TCustomOrgChart::DropAllSizes(TOcSizeKind kind)
{
    tree_.DropCachedSizes(kind);
    LayoutChanged();
}

void TCustomOrgChart::ForgetHitOn(TOcNode* node)
{
    if (hitNode_ == node)
        hitFlags_ = 0;
}
